#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// The menu bar "Menù Generale" and the five tool bands of the main window.
//
// Every tool is one QAction whose objectName is the tool's name and whose text is its caption;
// a tool that stands both in a pull-down menu and on a band is the same action in both places.
// Each pull-down menu is a QMenu whose menuAction() carries the menu's tool name (`MFile`,
// `MTabelle`, `BAnag`, ...); the QMenu widget itself is named after the tool with "_menu"
// added. Bands are QToolBars named after the band (`BAnag`, `BMaga`, `BPaga`, `BFatt`,
// `BStandard`); the menu bar is the QMenuBar named "Menù Generale". `BAnag` thus names both
// the pull-down menu's action and the band: findChild<QAction*>("BAnag") gives the menu,
// findChild<QToolBar*>("BAnag") the band.

struct ToolDefinition
{
    QString name;
    QString caption;
};

struct MenuDefinition
{
    QString name;
    QString caption;
    QStringList tools;
};

struct BandDefinition
{
    QString name;
    QStringList tools;
};

inline const QString MenuBarName = QStringLiteral("Menù Generale");
inline const QString LockTool = QStringLiteral("MBlocca");
inline const QString LockedCaption = QStringLiteral("Menù &Bloccati");
inline const QString UnlockedCaption = QStringLiteral("Menù S&bloccati");

// Every tool of the menus, with its caption.
const QVector<ToolDefinition>& toolDefinitions();
// The pull-down menus of "Menù Generale", in order (the lock item follows them).
const QVector<MenuDefinition>& menuDefinitions();
// The tool bands, in order.
const QVector<BandDefinition>& bandDefinitions();
