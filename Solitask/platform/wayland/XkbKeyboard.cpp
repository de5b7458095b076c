#include "Solitask/platform/wayland/XkbKeyboard.h"

#include <QChar>

#include <xkbcommon/xkbcommon.h>

#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

#include <utility>

namespace {

// Keys without a character of their own; the rest are named by their character.
constexpr std::pair<uint32_t, int> namedKeys[] = {
    {XKB_KEY_Escape, Qt::Key_Escape},
    {XKB_KEY_Tab, Qt::Key_Tab},
    {XKB_KEY_ISO_Left_Tab, Qt::Key_Backtab},
    {XKB_KEY_BackSpace, Qt::Key_Backspace},
    {XKB_KEY_Return, Qt::Key_Return},
    {XKB_KEY_KP_Enter, Qt::Key_Enter},
    {XKB_KEY_Insert, Qt::Key_Insert},
    {XKB_KEY_Delete, Qt::Key_Delete},
    {XKB_KEY_KP_Delete, Qt::Key_Delete},
    {XKB_KEY_Home, Qt::Key_Home},
    {XKB_KEY_KP_Home, Qt::Key_Home},
    {XKB_KEY_End, Qt::Key_End},
    {XKB_KEY_KP_End, Qt::Key_End},
    {XKB_KEY_Left, Qt::Key_Left},
    {XKB_KEY_KP_Left, Qt::Key_Left},
    {XKB_KEY_Up, Qt::Key_Up},
    {XKB_KEY_KP_Up, Qt::Key_Up},
    {XKB_KEY_Right, Qt::Key_Right},
    {XKB_KEY_KP_Right, Qt::Key_Right},
    {XKB_KEY_Down, Qt::Key_Down},
    {XKB_KEY_KP_Down, Qt::Key_Down},
    {XKB_KEY_Page_Up, Qt::Key_PageUp},
    {XKB_KEY_Page_Down, Qt::Key_PageDown},
    {XKB_KEY_Shift_L, Qt::Key_Shift},
    {XKB_KEY_Shift_R, Qt::Key_Shift},
    {XKB_KEY_Control_L, Qt::Key_Control},
    {XKB_KEY_Control_R, Qt::Key_Control},
    {XKB_KEY_Alt_L, Qt::Key_Alt},
    {XKB_KEY_Alt_R, Qt::Key_Alt},
    {XKB_KEY_ISO_Level3_Shift, Qt::Key_AltGr},
    {XKB_KEY_Super_L, Qt::Key_Super_L},
    {XKB_KEY_Super_R, Qt::Key_Super_R},
    {XKB_KEY_Meta_L, Qt::Key_Meta},
    {XKB_KEY_Meta_R, Qt::Key_Meta},
    {XKB_KEY_Caps_Lock, Qt::Key_CapsLock},
    {XKB_KEY_Num_Lock, Qt::Key_NumLock},
    {XKB_KEY_Menu, Qt::Key_Menu},
    {XKB_KEY_Print, Qt::Key_Print},
    {XKB_KEY_Pause, Qt::Key_Pause},
};

bool active(xkb_state *state, const char *name)
{
    return xkb_state_mod_name_is_active(state, name, XKB_STATE_MODS_EFFECTIVE) > 0;
}

Qt::KeyboardModifiers modifiersOf(xkb_state *state)
{
    Qt::KeyboardModifiers mods;
    mods.setFlag(Qt::ShiftModifier, active(state, XKB_MOD_NAME_SHIFT));
    mods.setFlag(Qt::ControlModifier, active(state, XKB_MOD_NAME_CTRL));
    mods.setFlag(Qt::AltModifier, active(state, XKB_MOD_NAME_ALT));
    mods.setFlag(Qt::MetaModifier, active(state, XKB_MOD_NAME_LOGO));
    return mods;
}

} // namespace

XkbKeyboard::XkbKeyboard()
    : m_context(xkb_context_new(XKB_CONTEXT_NO_FLAGS))
{
}

XkbKeyboard::~XkbKeyboard()
{
    xkb_state_unref(m_state);
    xkb_keymap_unref(m_keymap);
    xkb_context_unref(m_context);
}

bool XkbKeyboard::setKeymap(int fd, uint32_t size)
{
    void *text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (text == MAP_FAILED || !m_context)
        return false;
    xkb_keymap *keymap = xkb_keymap_new_from_buffer(m_context, static_cast<const char *>(text),
        strnlen(static_cast<const char *>(text), size), XKB_KEYMAP_FORMAT_TEXT_V1,
        XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (!keymap)
        return false;
    xkb_state_unref(m_state);
    xkb_keymap_unref(m_keymap);
    m_keymap = keymap;
    m_state = xkb_state_new(keymap);
    return m_state != nullptr;
}

void XkbKeyboard::setModifiers(
    uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group)
{
    if (m_state)
        xkb_state_update_mask(m_state, depressed, latched, locked, 0, 0, group);
}

Qt::KeyboardModifiers XkbKeyboard::modifiers() const
{
    return m_state ? modifiersOf(m_state) : Qt::KeyboardModifiers();
}

XkbKeyboard::Key XkbKeyboard::key(uint32_t code) const
{
    if (!m_state)
        return {};
    // Wayland numbers keys as evdev does; xkb counts from 8.
    const xkb_keycode_t keycode = code + 8;
    Key key;
    key.keysym = xkb_state_key_get_one_sym(m_state, keycode);
    key.key = qtKey(key.keysym);
    key.modifiers = modifiersOf(m_state);
    char utf8[64] = {};
    xkb_state_key_get_utf8(m_state, keycode, utf8, sizeof utf8);
    key.text = QString::fromUtf8(utf8);
    return key;
}

bool XkbKeyboard::repeats(uint32_t code) const
{
    return m_keymap && xkb_keymap_key_repeats(m_keymap, code + 8);
}

int XkbKeyboard::qtKey(uint32_t keysym)
{
    if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F35)
        return Qt::Key_F1 + int(keysym - XKB_KEY_F1);
    for (const auto &[sym, key] : namedKeys) {
        if (sym == keysym)
            return key;
    }
    const uint32_t character = xkb_keysym_to_utf32(keysym);
    if (character == 0 || character < 0x20)
        return Qt::Key_unknown;
    return int(QChar::toUpper(char32_t(character)));
}
