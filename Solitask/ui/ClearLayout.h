#pragma once

class QLayout;

/// Empties a layout and disposes of its widgets. The widgets are deleted
/// later, not now: the button whose click asked for the rebuild may still be
/// on the stack.
void clearLayout(QLayout *layout);
