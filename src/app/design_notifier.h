#pragma once
// The one change signal of the editor. After every recorded edit, undo, redo, load and view change
// `changed` says what was touched; the windows that show the design subscribe and bring themselves
// up to date, so no command has to know which windows are open.

#include <QObject>

namespace halvern {

enum class Change : unsigned {
    objects = 1u << 0,    // the objects of the plan or the stand settings
    renumbered = 1u << 1, // objects came or went outside a gesture: held object numbers are void
    file = 1u << 2,       // which file the design is, its title or its saved state
    view = 1u << 3,       // zoom, offsets, display switches, drawing quality
    library = 1u << 4,    // the component or library tables, or the current library
    language = 1u << 5,   // the interface texts
};

// A set of changes.
class Changes {
public:
    constexpr Changes() = default;
    constexpr Changes(Change c) : bits_(unsigned(c)) {}
    constexpr Changes operator|(Changes other) const { return Changes(bits_ | other.bits_); }
    constexpr bool has(Change c) const { return (bits_ & unsigned(c)) != 0; }
    constexpr bool any() const { return bits_ != 0; }
    constexpr bool operator==(const Changes&) const = default;
    static constexpr Changes all() { return Changes(~0u); }

private:
    constexpr explicit Changes(unsigned bits) : bits_(bits) {}
    unsigned bits_ = 0;
};

constexpr Changes operator|(Change a, Change b) { return Changes(a) | Changes(b); }

class DesignNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void notify(Changes what);

signals:
    void changed(halvern::Changes what);
};

} // namespace halvern
