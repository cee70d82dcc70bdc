// The picture loader's message boxes.
#include "ui/PictureMessages.h"

#include "ui/MessageBox.h"

#include <utility>
#include <vector>

namespace {

// The loader has no caption of its own; its boxes take the program's fixed caption, as the other
// untranslated technical messages do.
constexpr wchar_t kLoaderCaption[] = L"Programador";

} // namespace

void ReportPictureProblems(PictureCache& cache, HWND owner) {
    // Taken first: a box's message loop may paint, and a paint may draw again.
    std::vector<PictureProblem> problems = std::exchange(cache.problems, {});
    for (const PictureProblem& problem : problems)
        ShowMessageBox(owner, problem.text, kLoaderCaption, MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}
