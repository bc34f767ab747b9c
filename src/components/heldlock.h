#pragma once
#include "basecomponent.h"

#include <QPointer>
#include <optional>

// A record lock that is held: taken by take(), given back by release() or, at the latest, by
// the destructor, so an edit that ends in any way (save, cancel, Esc, the screen closed or
// deleted) never leaves its row in Accessi behind. Move-only: one owner gives the lock back
// once. Screens keep it as `std::optional<HeldLock> m_lock;`, empty while nothing is locked.
class HeldLock
{
public:
    // Takes the lock on the record `id` names. Empty when another user or workstation holds it:
    // the base component has then told the user who, and the screen stays in browse mode.
    [[nodiscard]] static std::optional<HeldLock> take(BaseComponent& base, LockIdentity id);

    HeldLock(HeldLock&& other) noexcept;
    HeldLock& operator=(HeldLock&& other) noexcept;
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    ~HeldLock();

    const LockIdentity& identity() const { return m_id; }
    // Gives the lock back now: true when the base component confirms it. Unconfirmed, the lock
    // counts as still held and the destructor tries again.
    bool release();

private:
    HeldLock(BaseComponent& base, LockIdentity id);

    QPointer<BaseComponent> m_base;
    LockIdentity m_id;
    bool m_held = false;
};
