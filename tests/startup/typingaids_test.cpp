// The base component's typing aids, typed through real fields.
#include "support/widgets.h"

#include "components/base/baseclass.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class TypingAids : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&form);
        for (const char* name : {"tText", "tDigits", "tDecimal"}) {
            auto* field = new QLineEdit(&form);
            field->setObjectName(QString::fromLatin1(name));
            layout->addWidget(field);
        }
        base.useTextKeys(ui::find<QLineEdit>(&form, QStringLiteral("tText")));
        base.useDigitKeys(ui::find<QLineEdit>(&form, QStringLiteral("tDigits")));
        base.useDecimalKeys(ui::find<QLineEdit>(&form, QStringLiteral("tDecimal")));
        form.show();
        ui::settle();
    }

    QString typed(const char* field, const QString& keys)
    {
        ui::type(&form, QString::fromLatin1(field), keys);
        return ui::text(&form, QString::fromLatin1(field));
    }

    BaseClass base;
    QWidget form;
};

} // namespace

TEST_F(TypingAids, AWholeNumberFieldTakesDigitsOnly)
{
    EXPECT_EQ(typed("tDigits", QStringLiteral("12a3.4-5 ")), QStringLiteral("12345"));
    // Backspace still corrects.
    QTest::keyClick(ui::find<QLineEdit>(&form, QStringLiteral("tDigits")), Qt::Key_Backspace);
    EXPECT_EQ(ui::text(&form, QStringLiteral("tDigits")), QStringLiteral("1234"));
}

TEST_F(TypingAids, ADecimalFieldTakesOneSeparatorAndALeadingMinus)
{
    // Italian workstation: both '.' and ',' give the comma, and only once.
    EXPECT_EQ(typed("tDecimal", QStringLiteral("-12.5,3x")), QStringLiteral("-12,53"));
    EXPECT_EQ(typed("tDecimal", QStringLiteral("3-4,,5")), QStringLiteral("34,5"));
}

TEST_F(TypingAids, ATextFieldTakesEveryPrintableCharacter)
{
    EXPECT_EQ(typed("tText", QStringLiteral("Bar \"Roma\" & C. 50%")), QStringLiteral("Bar \"Roma\" & C. 50%"));
    // A letter beyond ASCII, as an Italian keyboard gives it.
    auto* text = ui::find<QLineEdit>(&form, QStringLiteral("tText"));
    text->setFocus();
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Egrave, Qt::NoModifier, QStringLiteral("è"));
    QApplication::sendEvent(text, &accented);
    EXPECT_EQ(text->text(), QStringLiteral("Bar \"Roma\" & C. 50%è"));
    // A control character is dropped; Tab still moves on from a filtered field.
    QKeyEvent bell(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\a"));
    QApplication::sendEvent(text, &bell);
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ui::find<QLineEdit>(&form, QStringLiteral("tDigits")));
    EXPECT_EQ(text->text(), QStringLiteral("Bar \"Roma\" & C. 50%è"));
}
