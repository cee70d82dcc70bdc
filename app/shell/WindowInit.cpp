// Start-up, up to the main window.
#include "app/shell/WindowInit.h"

#include "app/commands/Conversion.h"
#include "app/shell/MainWindow.h"
#include "app/state/App.h"
#include "app/state/RecentChartsKept.h"
#include "app/state/Settings.h"
#include "ui/ScrollingQuestion.h"
#include "render/Dpi.h"
#include "ui/MessageBox.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <memory>

namespace {

// An exported function under its real type (GetProcAddress knows only FARPROC).
template <typename Function> Function Export(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

bool OnlyBlanks(const std::wstring& text) {
    return text.find_first_not_of(L" \t") == std::wstring::npos;
}

} // namespace

CommonControlsInit InitialiseCommonControls() {
    HMODULE library = LoadLibraryW(L"COMCTL32.DLL");
    if (!library) return CommonControlsInit::None;
    CommonControlsInit result = CommonControlsInit::None;
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    using InitPlain = void(WINAPI*)();
    if (auto initEx = Export<InitEx>(library, "InitCommonControlsEx")) {
        // All standard classes plus the date and internet classes.
        INITCOMMONCONTROLSEX classes{8, 0x9FF};
        initEx(&classes);
        result = CommonControlsInit::Extended;
    } else if (auto initPlain = Export<InitPlain>(library, "InitCommonControls")) {
        initPlain();
        result = CommonControlsInit::Plain;
    }
    FreeLibrary(library);
    return result;
}

bool OfferFileAssociation(const AssociationPlaces& places, int languageIndex) {
    const std::wstring workFiles = QueryOpenCommand(L".qdrx", places);
    if (!OnlyBlanks(workFiles)) {
        // Work files already open with this program: its chart books (which came later) join them
        // without asking again.
        if (OnlyBlanks(QueryOpenCommand(L".qdrb", places)) &&
            (workFiles.find(places.programPath) != std::wstring::npos ||
             workFiles.find(DoubledBackslashes(places.programPath)) != std::wstring::npos))
            RegisterFileType(L"qdrb", 1, places);
        return false;
    }
    // Six languages are taller than a small screen at a large scale: the text scrolls there.
    int answer = AskYesNoScrolling(nullptr, Wide(AssociationOfferText()),
                                   Wide(FixedInterfaceText(FixedText::AssociationCaption)),
                                   Wide(MessageText(languageIndex, MessageTable::Association, 5)),
                                   Wide(MessageText(languageIndex, MessageTable::Association, 6)));
    if (answer != IDYES) return false;
    RegisterFileType(L"qdrx", 1, places);
    RegisterFileType(L"qdrb", 1, places);
    return true;
}

int RunProgram() {
    // Before any window exists: the system then neither stretches the windows nor scales the
    // resolution the program reads.
    DeclareDpiAwareness();
    // The document alone is some 13 MB: the state lives on the heap for the whole run.
    static auto app = std::make_unique<App>();
    Settings(app->shell, "get", SettingsPath());
    LoadRecentCharts(app->shell, SettingsPath());
    // The message tables are constant data: every text is available from here on.

    Gdiplus::GdiplusStartupInput input; // version 1, no debug callback, background thread, codecs
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        ShowMessageBox(nullptr, Tr(*app, MessageTable::GdiplusError), Tr(*app, MessageTable::Caption), MB_OK);
        return 1;
    }
    app->shell.gdiplusToken = token;

    // A conversion asked for on the command line runs without any window or offer.
    if (std::optional<int> exitCode = RunCommandLineConversion(*app, GetCommandLineW())) {
        Gdiplus::GdiplusShutdown(token);
        return *exitCode;
    }

    InitialiseCommonControls();
    OfferFileAssociation(DefaultAssociationPlaces(), app->shell.languageIndex);

    app->shell.commandLine = GetCommandLineW();
    app->placementFile = SettingsPath();
    BeginRecovery(app->recovery, DefaultRecoveryFolder());
    RunMainWindow(*app);

    Gdiplus::GdiplusShutdown(token);
    return 0;
}
