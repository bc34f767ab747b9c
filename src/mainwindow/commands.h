#pragma once
#include <QString>

class BaseComponent;
class QWidget;

// The command key each tool dispatches; empty for the tools the click handler runs itself
// (`BEsci`, `BSfondo`, `MBlocca`) and for names that are no tool.
QString commandKeyOfTool(const QString& toolName);

// A command that opens the shared table screen.
struct TableCommand
{
    QString key;
    qint16 number;
    QString title;
    QString source;
    qint16 kind;
    bool userArchive;      // the user archive instead of the company archive
};
const TableCommand* tableCommand(const QString& key);

// The grid layout of the shared table screen for a table kind; empty when the kind has none.
QString gridLayoutName(qint16 kind);

// A command that shows a screen of the base component.
using BaseScreen = QWidget* (BaseComponent::*)();
BaseScreen baseScreenCommand(const QString& key);

// A command that shows a screen of a module component, read by property name.
enum class Module { Warehouse, Invoicing, Payments };
struct ModuleCommand
{
    QString key;
    Module module;
    const char* property;
    bool modal;
};
const ModuleCommand* moduleCommand(const QString& key);
