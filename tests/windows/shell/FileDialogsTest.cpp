// The five file prompts: what each asks the system dialog to show, where it starts, and what the
// dialog folder remembers afterwards.
#include "ShellFixture.h"

#include <memory>

namespace {

using Filters = std::vector<std::pair<std::wstring, std::wstring>>;

constexpr DWORD kAlwaysSet = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

struct FileDialogs : testing::Test {
    std::unique_ptr<App> app = std::make_unique<App>();
    HWND owner = reinterpret_cast<HWND>(0x1234);
};

void ExpectOpenFlags(const SeenDialog& seen) {
    EXPECT_FALSE(seen.save);
    EXPECT_EQ(kAlwaysSet, seen.flags & kAlwaysSet);
    EXPECT_TRUE(seen.flags & OFN_FILEMUSTEXIST) << "an open dialog takes only existing files";
}

void ExpectSaveFlags(const SeenDialog& seen) {
    EXPECT_TRUE(seen.save);
    EXPECT_EQ(kAlwaysSet, seen.flags & kAlwaysSet);
    EXPECT_FALSE(seen.flags & OFN_FILEMUSTEXIST);
    EXPECT_FALSE(seen.flags & OFN_OVERWRITEPROMPT) << "the work-file save asks its own question";
}

} // namespace

TEST_F(FileDialogs, WorkFileOpenStartsInThePathsFolderAndRemembersTheChosenOne) {
    app->shell.languageIndex = 5;
    FileDialogRecorder dialogs({L"D:\\other\\chart.qdrx"});
    std::wstring result = WorkFileDialog(app->shell, owner, L"C:\\charts\\plan.qdrx", 0);

    EXPECT_EQ(L"D:\\other\\chart.qdrx", result);
    EXPECT_EQ(L"D:\\other\\", app->shell.dialogFolder);
    ASSERT_EQ(1u, dialogs.Seen().size());
    const SeenDialog& seen = dialogs.Seen()[0];
    ExpectOpenFlags(seen);
    EXPECT_EQ(owner, seen.owner);
    EXPECT_FALSE(seen.hasTitle) << "the system's own title";
    EXPECT_EQ((Filters{{L"Charts (*.qdrx; *.qdrb)", L"*.qdrx;*.qdrb"},
                       {L"Organization chart", L"*.qdrx"},
                       {L"Chart book", L"*.qdrb"}}),
              seen.filters);
    EXPECT_EQ(L"qdrx", seen.defaultExtension);
    EXPECT_EQ(L"C:\\charts\\", seen.initialFolder);
    EXPECT_EQ(L"plan.qdrx", seen.suggestedName);
}

TEST_F(FileDialogs, WorkFileSaveWithoutPathStartsInTheDefaultFolderAndCancelForgetsTheFolder) {
    app->shell.dialogFolder = L"C:\\program\\";
    FileDialogRecorder dialogs({L""});
    std::wstring result = WorkFileDialog(app->shell, owner, L"", 1);

    EXPECT_EQ(L"", result);
    EXPECT_EQ(L"", app->shell.dialogFolder);
    ASSERT_EQ(1u, dialogs.Seen().size());
    const SeenDialog& seen = dialogs.Seen()[0];
    ExpectSaveFlags(seen);
    EXPECT_EQ((Filters{{L"Organigrama", L"*.qdrx"}}), seen.filters);
    EXPECT_EQ(L"", seen.initialFolder);
    EXPECT_EQ(L"", seen.suggestedName);
}

TEST_F(FileDialogs, ExportsStartInTheDialogFolderAndPassItOnToTheNextExport) {
    app->shell.languageIndex = 5;
    app->shell.dialogFolder = L"C:\\start\\";
    FileDialogRecorder dialogs({L"D:\\exports\\a.bmp", L"", L"E:\\b.jpg"});

    EXPECT_EQ(L"D:\\exports\\a.bmp", BitmapDialog(app->shell, owner, L"C:\\pictures\\old.bmp"));
    EXPECT_EQ(L"D:\\exports\\", app->shell.dialogFolder);
    EXPECT_EQ(L"", JpegDialog(app->shell, owner, L""));
    EXPECT_EQ(L"", app->shell.dialogFolder) << "a cancelled export forgets the folder";
    EXPECT_EQ(L"E:\\b.jpg", JpegDialog(app->shell, owner, L""));
    EXPECT_EQ(L"E:\\", app->shell.dialogFolder);

    ASSERT_EQ(3u, dialogs.Seen().size());
    const SeenDialog& bitmap = dialogs.Seen()[0];
    ExpectSaveFlags(bitmap);
    EXPECT_EQ(L"For bitmap file browser", bitmap.title);
    EXPECT_EQ((Filters{{L"Bitmap", L"*.bmp"}}), bitmap.filters);
    EXPECT_EQ(L"bmp", bitmap.defaultExtension);
    EXPECT_EQ(L"C:\\start\\", bitmap.initialFolder) << "not the folder of the suggested path";
    EXPECT_EQ(L"old.bmp", bitmap.suggestedName);

    const SeenDialog& jpeg = dialogs.Seen()[1];
    ExpectSaveFlags(jpeg);
    EXPECT_EQ(L"File browser for JPEG", jpeg.title);
    EXPECT_EQ((Filters{{L"Jpeg", L"*.jpg"}}), jpeg.filters);
    EXPECT_EQ(L"jpg", jpeg.defaultExtension);
    EXPECT_EQ(L"D:\\exports\\", jpeg.initialFolder) << "starts where the bitmap went";
    EXPECT_EQ(L"", dialogs.Seen()[2].initialFolder) << "after a cancel: the system default folder";
}

TEST_F(FileDialogs, PictureAndIconStartInTheirPathsFolderAndLeaveTheDialogFolderAlone) {
    app->shell.languageIndex = 5;
    app->shell.dialogFolder = L"C:\\kept\\";
    FileDialogRecorder dialogs({L"F:\\photos\\me.png", L""});

    EXPECT_EQ(L"F:\\photos\\me.png", PictureDialog(app->shell, owner, L"C:\\photos\\old.jpg"));
    EXPECT_EQ(L"", IconDialog(app->shell, owner, L"C:\\icons\\star.ico"));
    EXPECT_EQ(L"C:\\kept\\", app->shell.dialogFolder);

    ASSERT_EQ(2u, dialogs.Seen().size());
    const SeenDialog& picture = dialogs.Seen()[0];
    ExpectOpenFlags(picture);
    EXPECT_EQ(L"File browser for image or photo", picture.title);
    EXPECT_EQ((Filters{{L"Image", L"*.jpg;*.png;*.gif;*.bmp"}, {L"All Files", L"*.*"}}), picture.filters);
    EXPECT_EQ(L"jpg", picture.defaultExtension);
    EXPECT_EQ(L"C:\\photos\\", picture.initialFolder);
    EXPECT_EQ(L"old.jpg", picture.suggestedName);

    const SeenDialog& icon = dialogs.Seen()[1];
    ExpectOpenFlags(icon);
    EXPECT_EQ(L"File browser for icons", icon.title);
    EXPECT_EQ((Filters{{L"Icon", L"*.ico"}}), icon.filters);
    EXPECT_EQ(L"Ico", icon.defaultExtension);
    EXPECT_EQ(L"C:\\icons\\", icon.initialFolder);
    EXPECT_EQ(L"star.ico", icon.suggestedName);
}

TEST_F(FileDialogs, FilterNamesFollowTheLanguage) {
    app->shell.languageIndex = 1;
    FileDialogRecorder dialogs;
    PictureDialog(app->shell, owner, L"");
    IconDialog(app->shell, owner, L"");
    ASSERT_EQ(2u, dialogs.Seen().size());
    EXPECT_EQ(L"Imagen", dialogs.Seen()[0].filters[0].first);
    EXPECT_EQ(L"All Files", dialogs.Seen()[0].filters[1].first) << "not translated";
    EXPECT_EQ(L"Icono", dialogs.Seen()[1].filters[0].first);
    EXPECT_EQ(L"Navegador de ficheros para imagen o foto", dialogs.Seen()[0].title);
}

// The real save dialog, answered by typing a bare name: the dialog adds the default extension.
TEST_F(FileDialogs, SystemSaveDialogAddsTheWorkFileExtension) {
    ScratchFolder folder;
    int typed = 0;
    DialogAnswerer answerer([&](HWND dialog) {
        // The file-name box of the explorer-style dialog is the combo box 0x47C or the edit 0x480.
        HWND name = GetDlgItem(dialog, 0x47C);
        if (!name) name = GetDlgItem(dialog, 0x480);
        if (!name) return;
        ++typed;
        SetWindowTextW(name, (folder.Path() + L"chart").c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    std::wstring result = WorkFileDialog(app->shell, nullptr, folder.Path() + L"x.qdrx", 1);
    ASSERT_EQ(1, typed);
    EXPECT_EQ(folder.Path() + L"chart.qdrx", result);
    EXPECT_EQ(folder.Path(), app->shell.dialogFolder);
}
