// Random tables for the renderer tests.
#include "RandomCharts.h"

#include "RenderTestSupport.h"
#include "render/PictureFiles.h"

#include <string>

namespace {

std::u16string Words(Random& random, int length, int wordLength) {
    std::u16string text;
    while (static_cast<int>(text.size()) < length) {
        if (!text.empty()) text += u' ';
        for (int i = 0; i < wordLength; ++i)
            text += static_cast<char16_t>(u'a' + random.Int(0, 25));
    }
    text.resize(static_cast<size_t>(length));
    return text;
}

} // namespace

const Files& TestFiles() {
    static Files files = [] {
        Files f;
        const std::wstring picturePath = TemporaryPath(L"partial-redraw.bmp");
        Picture picture(9, 7);
        FillSolid(picture.Dc(), RECT{0, 0, 9, 7}, RGB(200, 40, 90));
        FillSolid(picture.Dc(), RECT{2, 2, 5, 5}, RGB(10, 200, 30));
        if (SaveBmpFile(picture, picturePath)) f.picture = AnsiPath(picturePath);
        const std::wstring iconPath = TemporaryPath(L"partial-redraw.ico");
        if (WriteSolidIcon(iconPath, RGB(30, 90, 220))) f.icon = AnsiPath(iconPath);
        f.missing = "C:\\no such folder\\none.bmp";
        return f;
    }();
    return files;
}

void RandomContent(Random& random, CellRecord& cell) {
    static const char16_t* kShort[] = {u"Head of Sales", u"Board", u"IT", u"Chief executive officer"};
    static const char* kFonts[] = {"Tahoma", "Times New Roman", "Courier New"};
    switch (random.Int(0, 5)) {
    case 0:
        AssignField(cell.text, kShort[random.Int(0, 3)]);
        break;
    case 1:
        AssignField(cell.text, Words(random, 273, 2));
        break;
    case 2:
        AssignField(cell.text, Words(random, random.Int(20, 120), random.Int(1, 9)));
        break;
    case 3:
        AssignField(cell.text, u"-1234.5678 units");
        break;
    case 4:
        AssignField(cell.text, u"WWWWWWWWWWWW iii WWWWWWWWWWWWWWWWWW");
        break;
    default:
        AssignField(cell.text, u"");
        break;
    }
    cell.alignment = static_cast<int16_t>(random.Int(131, 136));
    cell.numberFormatAllowed = random.Chance(20) ? 1 : 0;
    cell.numberFormatType = static_cast<int16_t>(random.Int(0, 8));
    AssignField(cell.fontName, kFonts[random.Int(0, 2)]);
    cell.fontSize = static_cast<int16_t>(random.Int(6, 20));
    cell.bold = random.Chance(30);
    cell.italic = random.Chance(30);
    cell.underline = random.Chance(15);
    cell.leading = random.Chance(15);
    cell.fontColor = random.Chance(50) ? 0 : RGB(random.Int(0, 255), 0, random.Int(0, 255));
    cell.backColor = random.Chance(70) ? 0xFFFFFF : RGB(random.Int(100, 255), random.Int(100, 255), 0);
    const Files& files = TestFiles();
    if (random.Chance(15)) {
        AssignField(cell.imageSpec, (random.Chance(70) ? files.picture : files.missing) + "|16777215");
        cell.backColor = kNoColor;
    }
    if (random.Chance(15)) AssignField(cell.iconPath, random.Chance(70) ? files.icon : files.missing);
}

void RandomConnector(Random& random, CellRecord& cell, int cellSize) {
    auto coordinate = [&] { return random.Int(-cellSize, 2 * cellSize); };
    cell.vLineOn = random.Chance(50);
    cell.vLineX1 = cell.vLineX2 = coordinate();
    cell.vLineY1 = coordinate();
    cell.vLineY2 = coordinate();
    cell.hLineOn = random.Chance(50);
    cell.hLineX1 = coordinate();
    cell.hLineX2 = coordinate();
    cell.hLineY1 = cell.hLineY2 = coordinate();
}

Document RandomTable(Random& random) {
    const int cellSize = random.Int(0, 2) == 0 ? 12 : random.Int(16, 40);
    Document doc = MakeGridDocument(random.Int(6, 24), random.Int(6, 24), cellSize);
    doc.lineThickness = random.Int(1, 5);
    doc.separation = static_cast<int16_t>(random.Int(0, 3));
    doc.paperColor = random.Chance(50) ? 0xFFFFFF : RGB(220, 235, 250);
    for (int r = 0; r < doc.tableRows; ++r)
        for (int c = 0; c < doc.tableColumns; ++c) {
            CellRecord& cell = doc.cellGrid(c, r);
            if (random.Chance(60)) {
                MakeBox(doc, c, r);
                RandomContent(random, cell);
            } else if (random.Chance(40)) {
                RandomConnector(random, cell, cellSize);
            }
            cell.cancelled = random.Chance(4);
            cell.marked = cell.isBox == 0 && random.Chance(10);
        }
    for (int i = random.Int(0, 6); i > 0; --i) {
        const int c = random.Int(0, doc.tableColumns - 4), r = random.Int(0, doc.tableRows - 4);
        if (doc.cellGrid(c, r).covered != 0) continue;
        if (random.Chance(50))
            MergeRight(doc, c, r, random.Int(2, 3));
        else
            MergeDown(doc, c, r, random.Int(2, 3));
    }
    return doc;
}
