// The base component's binding of detail controls, which the numerators and the lock-management
// screens rely on: fill from the current row, clear a panel, store the edited values.
#include "components/base/baseclass.h"
#include "common/database.h"
#include "common/datacontrol.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class DataBindingTest : public ::testing::Test
{
protected:
    template <typename W>
    W* add(const char* name, QWidget* parent)
    {
        auto* w = new W(parent);
        w->setObjectName(QString::fromLatin1(name));
        return w;
    }

    void bind(const QString& archive, const JetQuery& source)
    {
        data.DatabaseName = archive;
        data.Connect = ProgramFolder::connectString();
        data.RecordSource = source;
        data.Refresh();
        base->PrepareDataControl(&data, &screen);
    }

    // The bound row put into edit, as a screen hands it over.
    Recordset editedRow()
    {
        Recordset row = Recordset::open(data.database(), data.RecordSource);
        row.Edit();
        return row;
    }

    QVariant stored(const QString& archive, const char* sql)
    {
        Database db = Database::open(archive, ProgramFolder::connectString());
        QSqlQuery q(db.connection());
        EXPECT_TRUE(q.exec(db.dialectText(QString::fromLatin1(sql))));
        q.next();
        return q.value(0);
    }

    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> base = folder.makeBase();
    DataControl data;
    QWidget screen;
};

TEST_F(DataBindingTest, FillsClearsAndStoresTheControlsNamedAfterColumns)
{
    auto* codice = add<QLineEdit>("Codice", &screen);
    codice->setReadOnly(true);
    auto* panel = add<QWidget>("Panel", &screen);
    auto* desc = add<QLineEdit>("desc", panel);  // names compare without regard to case
    auto* rate = add<QLineEdit>("Rate", panel);
    auto* fineMese = add<QCheckBox>("FineMese", panel);
    auto* scad1 = add<QLabel>("Scad1", panel);
    auto* caption = add<QLabel>("lblRate", panel);
    caption->setText("Rate");
    auto* disabled = add<QLineEdit>("Scad2", &screen);
    disabled->setEnabled(false);

    bind(folder.dataDb(), (JetQuery("SELECT * FROM ") << Jet::table("ModPag") << " WHERE Codice = ") << Jet::text("RB3060"));
    EXPECT_EQ(codice->text(), QStringLiteral("RB3060"));
    EXPECT_EQ(desc->text(), QStringLiteral("Ricevuta bancaria 30/60 gg fine mese"));
    EXPECT_EQ(rate->text(), QStringLiteral("2"));
    EXPECT_TRUE(fineMese->isChecked());
    EXPECT_EQ(scad1->text(), QStringLiteral("30"));
    EXPECT_EQ(disabled->text(), QStringLiteral("60"));

    codice->setText("XX");
    desc->clear();
    rate->setText("4");
    fineMese->setChecked(false);
    disabled->setText("99");
    Recordset row = editedRow();
    base->AttachRecordset(&screen, row);
    EXPECT_EQ(row.editMode(), Recordset::EditMode::None) << "the row is updated";
    EXPECT_EQ(stored(folder.dataDb(), "SELECT Codice FROM ModPag WHERE Rate = 4").toString(), QStringLiteral("RB3060"))
        << "read-only controls are not stored";
    EXPECT_TRUE(stored(folder.dataDb(), "SELECT \"Desc\" FROM ModPag WHERE Codice = 'RB3060'").isNull());
    EXPECT_EQ(stored(folder.dataDb(), "SELECT FineMese FROM ModPag WHERE Codice = 'RB3060'").toInt(), 0);
    EXPECT_EQ(stored(folder.dataDb(), "SELECT Scad2 FROM ModPag WHERE Codice = 'RB3060'").toInt(), 60)
        << "disabled controls are not stored";

    // A whole-number column refuses a text that reads no number, and nothing is written.
    rate->setText("tre");
    Recordset refused = editedRow();
    EXPECT_THROW(base->AttachRecordset(&screen, refused), DatabaseError);
    EXPECT_EQ(stored(folder.dataDb(), "SELECT Rate FROM ModPag WHERE Codice = 'RB3060'").toInt(), 4);

    base->PreparePanel(panel, &screen);
    EXPECT_TRUE(desc->text().isEmpty());
    EXPECT_TRUE(rate->text().isEmpty());
    EXPECT_FALSE(fineMese->isChecked());
    EXPECT_TRUE(scad1->text().isEmpty()) << "a label showing a column is cleared";
    EXPECT_EQ(caption->text(), QStringLiteral("Rate")) << "a caption keeps its text";
    EXPECT_EQ(codice->text(), QStringLiteral("XX")) << "outside the panel";

    // No current row: the bound controls are cleared.
    bind(folder.dataDb(), (JetQuery("SELECT * FROM ") << Jet::table("ModPag") << " WHERE Codice = ") << Jet::text("NESSUNO"));
    EXPECT_TRUE(codice->text().isEmpty());
    EXPECT_TRUE(disabled->text().isEmpty());
}

TEST_F(DataBindingTest, DaysAndDecimalsAreShownAndTypedAsUsersWriteThem)
{
    auto* from = add<QLineEdit>("DTIn", &screen);
    const QString year = QString::number(QDate::currentDate().year());
    bind(folder.dataDb(), (JetQuery("SELECT * FROM ") << Jet::table("Esercizio") << " WHERE Codice = ") << Jet::text(year));
    EXPECT_EQ(from->text(), "01/01/" + year);
    from->setText("15/01/" + year);
    Recordset row = editedRow();
    base->AttachRecordset(&screen, row);
    EXPECT_EQ(stored(folder.dataDb(), "SELECT DTIn FROM Esercizio ORDER BY DTIn DESC").toString(), year + "-01-15");
    from->setText("31/02/" + year);
    Recordset wrongDay = editedRow();
    EXPECT_THROW(base->AttachRecordset(&screen, wrongDay), DatabaseError);

    auto* rate = add<QLineEdit>("CambioEuro", &screen);
    bind(folder.userDb(), (JetQuery("SELECT * FROM ") << Jet::table("Azienda")));
    EXPECT_EQ(rate->text(), QStringLiteral("1936,27"));
    rate->setText("1936,5");
    Recordset company = editedRow();
    base->AttachRecordset(&screen, company);
    EXPECT_DOUBLE_EQ(stored(folder.userDb(), "SELECT CambioEuro FROM Azienda").toDouble(), 1936.5);
}

} // namespace
