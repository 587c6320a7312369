#pragma once

#include <utility>

// A replaceable service. Code reaches every facility that a test must see, answer or keep
// from reaching outside the test process (message boxes, dialogs, the clock, the printer
// spooler, the scanner, help, program starts...) through one global Service object, so that
// a test can put a scripted fake in its place.
//
//     // MessageService.h: the interface and its service object
//     extern service::Service<MessageService> messageService;
//     // MessageService.cpp: the service with the real implementation as its default
//     constinit service::Service<MessageService> messageService(&qtMessageService);
//
//     ui::messageService().show(m);                 // the one in use
//     auto scripted = ui::messageService.replace(fake); // the test's fake until `scripted` goes
//
// Service objects are constant-initialised, so they can be used from any static
// initialiser; the default is made on first use by the function given.
namespace service {

template <class I> class Service
{
public:
    using Interface = I;
    // Gives the default implementation; called on every use while no replacement is installed.
    using Default = I& (*)();

    class Override;

    constexpr explicit Service(Default makeDefault) : m_default(makeDefault) {}
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    // The implementation in use: the installed replacement, else the default.
    I& operator()() const { return m_current ? *m_current : m_default(); }
    I& get() const { return (*this)(); }
    // The default implementation, also while a replacement is installed.
    I& fallback() const { return m_default(); }
    // The installed replacement; nullptr while the default serves.
    I* replacement() const { return m_current; }
    // How many times the implementation in use was changed: what one implementation said is
    // not taken for what the next one says.
    unsigned changes() const { return m_changes; }

    // Installs `replacement` (not owned; nullptr restores the default) for good and returns the
    // replacement it displaces. A test main installs its guards so; tests use replace().
    I* set(I* replacement)
    {
        ++m_changes;
        return std::exchange(m_current, replacement);
    }

    // Installs `replacement` until the returned object goes; then what was there before comes
    // back, also when overrides of the same service end in another order than they began.
    [[nodiscard]] Override replace(I& replacement) { return Override(*this, replacement); }

private:
    Default m_default;
    I* m_current = nullptr;
    Override* m_top = nullptr; // the latest override still in force
    unsigned m_changes = 0;
};

// The scoped replacement made by Service::replace. Movable, not copyable.
template <class I> class Service<I>::Override
{
public:
    Override(Service& service, I& replacement)
        : m_service(&service), m_installed(&replacement), m_previous(service.set(&replacement)), m_below(service.m_top)
    {
        service.m_top = this;
    }

    Override(Override&& other) noexcept
        : m_service(std::exchange(other.m_service, nullptr)), m_installed(other.m_installed),
          m_previous(other.m_previous), m_below(other.m_below)
    {
        if (m_service)
            relink(&other, this);
    }

    Override(const Override&) = delete;
    Override& operator=(const Override&) = delete;
    Override& operator=(Override&&) = delete;

    ~Override() { end(); }

    // Ends the override now (the destructor then does nothing).
    void end()
    {
        if (!m_service)
            return;
        if (m_service->m_top == this) {
            // The usual case: the latest override ends first.
            if (m_service->m_current == m_installed)
                m_service->set(m_previous);
            m_service->m_top = m_below;
        } else {
            // An earlier override ends while a later one is still in force: the later one will
            // restore what this one found, not this one's replacement.
            for (Override* o = m_service->m_top; o; o = o->m_below) {
                if (o->m_below == this) {
                    if (o->m_previous == m_installed)
                        o->m_previous = m_previous;
                    o->m_below = m_below;
                    break;
                }
            }
        }
        m_service = nullptr;
    }

private:
    // Points whatever referred to `from` (the service or the override above it) at `to`.
    void relink(Override* from, Override* to)
    {
        if (m_service->m_top == from) {
            m_service->m_top = to;
            return;
        }
        for (Override* o = m_service->m_top; o; o = o->m_below)
            if (o->m_below == from) {
                o->m_below = to;
                return;
            }
    }

    Service* m_service;
    I* m_installed;
    I* m_previous;
    Override* m_below;
};

} // namespace service
