#pragma once
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QString>
#include <QStringList>
#include <QToolBar>
#include <utility>
#include <vector>

// The toolbar of a maintenance screen: one action per button, named by its key and showing its
// caption. A click tells the key.
class KeyedToolbar : public QToolBar
{
    Q_OBJECT
public:
    using Button = std::pair<QString, QString>;  // key, caption
    KeyedToolbar(const QString& name, const std::vector<Button>& buttons, QWidget* parent);

    QAction* button(const QString& key) const;
    void setButtonsEnabled(const QStringList& keys, bool enabled);

signals:
    void buttonClicked(const QString& key);

private:
    QHash<QString, QAction*> m_buttons;
};

// A status bar whose first panel is the label "<name>_1".
class PanelStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    PanelStatusBar(const QString& name, QWidget* parent);
    // Shows a message, announced to screen readers.
    void setPanel1(const QString& text);
    // Shows the reason a value was refused, until the user changes one of the fields it concerns.
    void refuse(const QString& text, const QList<QLineEdit*>& fields);
    QString panel1() const { return m_panel1->text(); }

private:
    QLabel* m_panel1;
};
