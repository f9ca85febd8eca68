#include "kitbase/ui/ZRValSpinEdit.h"

#include "kitbase/model/ZRSpinStepper.h"
#include "platform/ui/CellStyle.h"

std::string ZRValSpinEdit::Step(const std::string& text, bool up,
                                const platform::ui::CellStyle& style) const {
    // The cell's settings are read on every click: a scale change may have replaced them.
    namespace Attr = platform::ui::CellAttribute;
    ZRSpinStepper stepper;
    stepper.ReadSettings(style.Attribute(Attr::SpinWrap), style.Attribute(Attr::SpinMinimum),
                         style.Attribute(Attr::SpinMaximum), style.Attribute(Attr::SpinStart),
                         style.Attribute(IncrementAttribute), style.Attribute(PrecisionAttribute));
    return stepper.Step(text, up);
}
