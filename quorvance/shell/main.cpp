// Entry point of the Quorvance program.
#include "platform/core/Modal.h"
#include "platform/ui/Application.h"
#include "platform/ui/QtModalHook.h"
#include "quorvance/shell/ZRCommandLineInfo.h"
#include "quorvance/shell/ZRQuorvanceApp.h"

#include <clocale>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    platform::ui::Application qtApp(argc, argv);
    // The toolkit adopts the user's locale; numbers are read and written with a point.
    std::setlocale(LC_NUMERIC, "C");
    platform::ui::InstallQtModalHook();

    // The system's arguments are UTF-8; the program's text is code page 1252.
    std::vector<std::string> args;
    std::string refused;
    if (!ZRCommandLineInfo::ArgumentsFromSystem(argc, argv, args, refused)) {
        std::fprintf(stderr, "Quorvance: %s: the name has characters that the program cannot use\n",
                     refused.c_str());
        platform::core::MessageBox(ZRCommandLineInfo::RefusedArgumentText(refused), {},
                                   platform::core::MB_ICONERROR);
        return 1;
    }
    int rc = 1;
    try {
        ZRQuorvanceApp app;
        bool interactive = app.InitInstance(args);
        if (interactive)
            qtApp.exec();
        rc = app.ExitInstance();
        // A start-up that failed after its message is no success.
        if (!interactive && !app.RanBatchMode() && rc == 0)
            rc = 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Quorvance: %s\n", e.what());
        rc = 1;
    }
    return rc;
}
