#pragma once
#include <QObject>
#include <QPointer>

// A business-module component (warehouse, invoicing, payments). The shell reaches its screens
// only late-bound, by property name: ObjBase, MDIhwnd, and one screen object per command.
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

private:
    QPointer<QObject> m_base;
    qint32 m_mdiHwnd = 0;
};
