#pragma once
#include "modulescreen.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class BaseComponent;

// A business-module component (warehouse, invoicing, payments). The shell reaches its screens
// only late-bound, by property name: ObjBase, MDIhwnd, and one screen object per command,
// on which it calls Show. Each screen object is created on first use and kept.
class ModuleComponent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject* ObjBase READ objBase WRITE setObjBase)
    Q_PROPERTY(qint32 MDIhwnd READ mdiHwnd WRITE setMdiHwnd)
public:
    using QObject::QObject;
    QObject* objBase() const { return m_base; }
    void setObjBase(QObject* base) { m_base = base; }
    qint32 mdiHwnd() const { return m_mdiHwnd; }
    void setMdiHwnd(qint32 handle) { m_mdiHwnd = handle; }
    // The base component the screens work with; null until ObjBase is set.
    BaseComponent* base() const;

protected:
    QObject* screen(const QString& name, ModuleScreen::Opener open, std::function<BrowserSpec()> modalView = {});

private:
    QPointer<QObject> m_base;
    qint32 m_mdiHwnd = 0;
    QHash<QString, ModuleScreen*> m_screens;
};

// The warehouse component ("maga.magaclass").
class WarehouseComponent : public ModuleComponent
{
    Q_OBJECT
    Q_PROPERTY(QObject* objgiacenze READ objgiacenze)
    Q_PROPERTY(QObject* objcaumag READ objcaumag)
    Q_PROPERTY(QObject* objmovmaga READ objmovmaga)
    Q_PROPERTY(QObject* objddt READ objddt)
    Q_PROPERTY(QObject* objdistinta READ objdistinta)
    Q_PROPERTY(QObject* objreso READ objreso)
    Q_PROPERTY(QObject* objinventario READ objinventario)
    Q_PROPERTY(QObject* objapergiac READ objapergiac)
    Q_PROPERTY(QObject* objgestgiac READ objgestgiac)
    Q_PROPERTY(QObject* objprev READ objprev)
public:
    using ModuleComponent::ModuleComponent;
    QObject* objgiacenze();
    QObject* objcaumag();
    QObject* objmovmaga();
    QObject* objddt();
    QObject* objdistinta();
    QObject* objreso();
    QObject* objinventario();
    QObject* objapergiac();
    QObject* objgestgiac();
    QObject* objprev();
};

// The invoicing component ("fatt.fattclass").
class InvoicingComponent : public ModuleComponent
{
    Q_OBJECT
    Q_PROPERTY(QObject* objFATAC READ objFATAC)
    Q_PROPERTY(QObject* objFATVE READ objFATVE)
    Q_PROPERTY(QObject* objFATPRO READ objFATPRO)
    Q_PROPERTY(QObject* objFATSE READ objFATSE)
    Q_PROPERTY(QObject* objFATNC READ objFATNC)
    Q_PROPERTY(QObject* objFATND READ objFATND)
    Q_PROPERTY(QObject* objgraf READ objgraf)
    Q_PROPERTY(QObject* objriepage READ objriepage)
public:
    using ModuleComponent::ModuleComponent;
    QObject* objFATAC();
    QObject* objFATVE();
    QObject* objFATPRO();
    QObject* objFATSE();
    QObject* objFATNC();
    QObject* objFATND();
    QObject* objgraf();
    QObject* objriepage();
};

// The payments component ("paga.pagaclass").
class PaymentsComponent : public ModuleComponent
{
    Q_OBJECT
    Q_PROPERTY(QObject* objORDAC READ objORDAC)
    Q_PROPERTY(QObject* objORDVE READ objORDVE)
    Q_PROPERTY(QObject* objSCAD READ objSCAD)
    Q_PROPERTY(QObject* objordprev READ objordprev)
public:
    using ModuleComponent::ModuleComponent;
    QObject* objORDAC();
    QObject* objORDVE();
    QObject* objSCAD();
    QObject* objordprev();
};
