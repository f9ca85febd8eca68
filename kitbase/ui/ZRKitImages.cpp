#include "kitbase/ui/ZRKitImages.h"

#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "platform/ui/Resources.h"

#include <QColor>
#include <QIcon>
#include <QPixmap>

void ZRKitImages::Register() {
    using platform::ui::Resources;
    Resources::RegisterPixmap(ZRGroupRow::kPlusBitmap, Resources::BoxedSign(true));
    Resources::RegisterPixmap(ZRGroupRow::kMinusBitmap, Resources::BoxedSign(false));
    Resources::RegisterPixmap(static_cast<int>(ZRBoolRow::kFalseBitmap),
                              Resources::Lamp(QColor(160, 160, 160)));
    Resources::RegisterPixmap(static_cast<int>(ZRBoolRow::kTrueBitmap), Resources::Lamp(QColor(255, 220, 0)));
    Resources::RegisterListIcon(kSetupTreeImages, 0, Resources::SetIcon("folder"));
    Resources::RegisterListIcon(kSetupTreeImages, 1, Resources::SetIcon("variable"));
}
