#pragma once
#include "tabledefinitions.h"

#include <QVector>
#include <QWidget>
#include <optional>

class BaseComponent;
class Database;
class QLabel;
class QLineEdit;
class QPushButton;
class Recordset;

// The detail panel of a table: one field per column of its definition, each named after its
// column, typed by the column's kind; it shows the current row and stores typed values back.
class FieldPanel : public QWidget
{
    Q_OBJECT
public:
    FieldPanel(BaseComponent* base, const TableDefinition& table, QWidget* parent = nullptr);

    const TableDefinition& definition() const { return m_table; }
    // Shows the recordset's current row; clears the fields when there is none.
    void showRow(const Recordset& rows);
    void clearFields();
    QWidget* field(const QString& column) const;
    QWidget* keyField() const { return m_fields.value(0); }
    // The key is typed only while a new row is being added.
    void setKeyEditable(bool editable);
    // Browsing shows the values read-only, in normal contrast; editing lets them be typed.
    void setEditing(bool editing);

    // The first rule the typed values break: the message and the field it concerns.
    struct Refusal
    {
        QString message;
        QWidget* field;
    };
    std::optional<Refusal> validate(bool adding, const Database& archive) const;
    // Writes the typed values, once validate() has accepted them, into a row in edit (the key
    // only when adding).
    void store(Recordset& row, bool adding) const;

signals:
    // The panel came into view: the screen shows its current row in it.
    void shown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString typedText(int index) const;
    QString referredName(const Reference& reference, const QString& code) const;
    void pairAmounts();
    void showPicture();
    void choosePicture();

    BaseComponent* m_base;
    TableDefinition m_table;
    QVector<QWidget*> m_fields;
    QLabel* m_picture = nullptr;
    QPushButton* m_browse = nullptr;
};
