// Key symbols from the compositor's keymap as Qt names them.

#include "Solitask/platform/wayland/XkbKeyboard.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <gtest/gtest.h>

namespace {

TEST(XkbKeyboard, KeySymbolsBecomeQtKeys)
{
    const struct
    {
        uint32_t keysym;
        int key;
    } cases[] = {
        {XKB_KEY_Escape, Qt::Key_Escape},
        {XKB_KEY_Return, Qt::Key_Return},
        {XKB_KEY_KP_Enter, Qt::Key_Enter},
        {XKB_KEY_ISO_Left_Tab, Qt::Key_Backtab},
        {XKB_KEY_BackSpace, Qt::Key_Backspace},
        {XKB_KEY_F1, Qt::Key_F1},
        {XKB_KEY_F12, Qt::Key_F12},
        // Characters by their upper case, as Qt names keys.
        {XKB_KEY_a, Qt::Key_A},
        {XKB_KEY_A, Qt::Key_A},
        {XKB_KEY_space, Qt::Key_Space},
        {XKB_KEY_eacute, Qt::Key_Eacute},
        {XKB_KEY_Cyrillic_a, 0x0410},
        {XKB_KEY_NoSymbol, Qt::Key_unknown},
        {XKB_KEY_XF86AudioMute, Qt::Key_unknown},
    };
    for (const auto &c : cases)
        EXPECT_EQ(XkbKeyboard::qtKey(c.keysym), c.key) << std::hex << c.keysym;
}

} // namespace
