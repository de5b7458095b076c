#pragma once

#include <QKeyEvent>
#include <QString>

#include <cstdint>
#include <memory>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

/// A Wayland keyboard's keymap and state, turning its key codes into what a
/// Qt key event carries.
class XkbKeyboard
{
public:
    XkbKeyboard();
    ~XkbKeyboard();
    XkbKeyboard(const XkbKeyboard &) = delete;
    XkbKeyboard &operator=(const XkbKeyboard &) = delete;

    /// Takes the keymap the compositor shared (xkb text format); false when unreadable.
    bool setKeymap(int fd, uint32_t size);
    void setModifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group);
    bool hasKeymap() const { return m_state != nullptr; }

    struct Key
    {
        int key = Qt::Key_unknown;
        QString text;
        Qt::KeyboardModifiers modifiers;
        uint32_t keysym = 0;
    };
    Qt::KeyboardModifiers modifiers() const;
    /// The key with Wayland key code `code` (evdev numbering) in the current state.
    Key key(uint32_t code) const;

    /// Whether holding the key repeats it, by the keymap.
    bool repeats(uint32_t code) const;

    /// Qt's key for an xkb key symbol.
    static int qtKey(uint32_t keysym);

private:
    xkb_context *m_context;
    xkb_keymap *m_keymap = nullptr;
    xkb_state *m_state = nullptr;
};
