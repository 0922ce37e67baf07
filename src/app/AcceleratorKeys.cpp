#include "app/AcceleratorKeys.h"

namespace {

int QtKeyOfVirtualKey(WORD vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + (vk - 'A');
    switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_INSERT: return Qt::Key_Insert;
    case res::VK_F3: return Qt::Key_F3;
    case res::VK_F6: return Qt::Key_F6;
    case res::VK_F8: return Qt::Key_F8;
    default: return 0;
    }
}

} // namespace

QKeySequence AcceleratorKeys(const res::Accelerator& accelerator)
{
    const int key = QtKeyOfVirtualKey(accelerator.key);
    if (key == 0)
        return {};
    Qt::KeyboardModifiers modifiers;
    if (accelerator.flags & res::FCONTROL)
        modifiers |= Qt::ControlModifier;
    if (accelerator.flags & res::FSHIFT)
        modifiers |= Qt::ShiftModifier;
    if (accelerator.flags & res::FALT)
        modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}
