// ui-gallery OUTPUT.png [PAGE...]
// Draws widgets of the system offscreen over fake models and writes them into one PNG: every page,
// or the pages named.
#include "Gallery.h"

#include "kitbase/ui/CGridControlFactory.h"
#include "kitbase/ui/ZRKitImages.h"
#include "platform/ui/Application.h"
#include "platform/ui/CellControl.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    Gallery gallery;
    AddPropertyGridPage(gallery);
    AddScopePage(gallery);
    AddMonitorPage(gallery);
    AddWorkspacePage(gallery);

    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: ui-gallery OUTPUT.png [PAGE...]\n  pages:");
        for (const std::string& name : gallery.Names())
            std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    std::vector<std::string> pages(argv + 2, argv + argc);
    for (const std::string& page : pages)
        if (!gallery.Has(page)) {
            std::fprintf(stderr, "ui-gallery: no page \"%s\"\n", page.c_str());
            return 2;
        }

    // Drawn without a display unless one is asked for.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    platform::ui::Application app(argc, argv);
    ZRKitImages::Register();
    CGridControlFactory factory;
    platform::ui::SetControlFactory(&factory);

    std::string error;
    bool drawn = gallery.Draw(pages, argv[1], error);
    platform::ui::SetControlFactory(nullptr);
    if (!drawn) {
        std::fprintf(stderr, "ui-gallery: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
