// Start-up and the main window's creation-time initialisation.
#include "app/WindowInit.h"

#include "app/App.h"
#include "app/ChartFile.h"
#include "app/CommandStates.h"
#include "app/Commands.h"
#include "app/Conversion.h"
#include "app/MainWindow.h"
#include "app/Menu.h"
#include "ui/MessageBox.h"
#include "ui/ScrollingQuestion.h"
#include "app/RecentChartsMenu.h"
#include "app/Settings.h"
#include "app/StatusBar.h"
#include "app/Shortcuts.h"
#include "app/SettingsKeys.h"
#include "document/Selection.h"
#include "app/WorkFileMessages.h"
#include "document/WorkFile.h"
#include "interaction/TextStyle.h"
#include "interaction/Redraw.h"
#include "render/Dpi.h"
#include "render/Renderer.h"

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

void FocusCanvas(HWND window) {
    SetFocus(GetDlgItem(window, kCanvasId));
}

} // namespace

void InitialiseMainWindow(App& app, HWND window) {
    ShellState& shell = app.shell;
    // The check marks of the character sets and of the copy configurator are set below with all
    // the other item states, from these flags.
    DeriveCharacterSetFlags(shell);
    SetWindowTextW(window, Tr(app, MessageTable::Chart, 1).c_str());

    shell.programFolder = ProgramFolder();
    shell.dialogFolder = shell.programFolder;

    shell.rulerStyle = ClampRulerStyle(shell.rulerStyle);
    CreatePictures(app.render);
    RedrawRulers(app);
    FocusCanvas(window);

    ResetTextProperties(app.textProps);
    shell.leftMouseMode = 1;
    shell.rightMouseMode = 1;
    shell.aboutOpen = false;
    app.doc.lineColor = 0;
    app.doc.lineThickness = 1;
    ClearSelection(app.doc);
    app.doc.tablePresent = false;
    app.doc.cellCopied = false;
    // Check marks from the flags and modes; the document commands disabled, as no table exists.
    ApplyMenuStates(app);

    // Edits on the canvas show in the title; Escape with unrecorded changes asks to save them and
    // then ends the program as the exit question's Yes does.
    app.chartEdited = [&app] {
        UpdateChartTitle(app);
        ApplyMenuStates(app); // an edit on the canvas makes "Undo" available
    };
    app.viewChanged = [&app] { ShowStatus(app); };
    app.endWithChanges = [&app] {
        if (SettleUnsavedChanges(app)) EndMainWindow(app.shell);
    };
    InstallShortcuts(window);

    FocusCanvas(window);
    OpenCommandLineFile(app, shell.commandLine);
    StartRecoveryCopies(app);
}

void OpenCommandLineFile(App& app, const std::wstring& commandLine) {
    if (CommandTail(commandLine).empty()) return;
    app.shell.workFilePath = CommandTailPath(commandLine.c_str());
    const std::wstring& path = app.shell.workFilePath;
    if (!path.empty() && FileExists(path)) {
        // A refused file has been reported by the reader; the program runs without a table.
        ReadChartFile(app, path);
        return;
    }
    ShowMessageBox(app.shell.mainWindow,
                   Tr(app, MessageTable::WorkFile, 1) + L"\r\n" + path + L"\r\n" +
                       Tr(app, MessageTable::WorkFile, 2),
                   Tr(app, MessageTable::Caption), MB_OK);
}

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
