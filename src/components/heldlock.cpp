#include "heldlock.h"

#include <utility>

std::optional<HeldLock> HeldLock::take(BaseComponent& base, LockIdentity id)
{
    if (!base.lock(LockMode::Acquire, id))
        return std::nullopt;
    return HeldLock(base, std::move(id));
}

HeldLock::HeldLock(BaseComponent& base, LockIdentity id) : m_base(&base), m_id(std::move(id)), m_held(true) {}

HeldLock::HeldLock(HeldLock&& other) noexcept
    : m_base(std::move(other.m_base)), m_id(std::move(other.m_id)), m_held(std::exchange(other.m_held, false))
{
}

HeldLock& HeldLock::operator=(HeldLock&& other) noexcept
{
    if (this == &other)
        return *this;
    // The lock held until now goes with `old`, whose destructor gives it back.
    HeldLock old(std::move(*this));
    m_base = std::move(other.m_base);
    m_id = std::move(other.m_id);
    m_held = std::exchange(other.m_held, false);
    return *this;
}

HeldLock::~HeldLock()
{
    try {
        release();
    } catch (...) {
        // Nothing may leave a destructor. A row left behind is dropped at this user's exit or
        // next sign-in, or from the lock screen.
    }
}

bool HeldLock::release()
{
    // The base component goes only when the program ends, which drops the session's locks.
    if (!m_held || !m_base)
        return false;
    m_held = !m_base->lock(LockMode::Release, m_id);
    return !m_held;
}
