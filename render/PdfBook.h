// A PDF document of chart pages: each page's drawing (a content stream in the chart's pixels, y
// downwards) placed on its sheet, the fonts and pictures the pages use, an outline entry
// per page named as the page, links from reference boxes to the pages they name, and the
// document's title and creator. No Windows API: the drawing is made elsewhere.
#pragma once

#include "render/JpegInfo.h"
#include "render/PdfFont.h"
#include "render/PdfObjects.h"
#include "render/PdfSheets.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A link's area in the chart's pixels and the chart page (from 0) it leads to.
struct PdfLink {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    int targetPage = 0;
};

class PdfBook {
  public:
    PdfBook();

    // The font known by `key` (face and style), or -1 when it has not been added.
    int FindFont(const std::string& key) const;
    int AddFont(const std::string& key, const std::string& baseName, FontTables tables);
    PdfFont& Font(int index) { return *fonts_[size_t(index)].font; }
    // The resource name a content stream shows the font with ("/F1").
    std::string FontName(int index) const;

    // A picture of width x height pixels, 0xAARRGGBB top row first (alpha 0 transparent, anything
    // else opaque): the resource name to draw it with. The same pixels give the same picture.
    std::string Image(int width, int height, const std::vector<uint32_t>& argb);
    // A JPEG file embedded as it is (its header read into `info`): the resource name.
    std::string Jpeg(const std::string& file, const JpegInfo& info);

    // A page: the drawing in the chart's pixels on the sheet, for chart page `chartPage` (the
    // target of links), with its outline entry.
    void AddPage(const std::string& content, const PdfSheet& sheet, const std::vector<PdfLink>& links,
                 int chartPage, const std::u16string& outlineTitle);
    int PageCount() const { return static_cast<int>(pages_.size()); }

    // The whole file.
    std::string Finish(const std::u16string& title, const std::u16string& creator);

  private:
    struct FontEntry {
        std::string key;
        int number = 0;
        std::unique_ptr<PdfFont> font;
    };
    struct Page {
        int number = 0;
        int content = 0;
        PdfSheet sheet;
        std::vector<PdfLink> links;
        int chartPage = 0;
        std::u16string title;
    };
    PdfObjects objects_;
    int catalog_ = 0;
    int pageTree_ = 0;
    int resources_ = 0;
    std::vector<FontEntry> fonts_;
    std::map<std::string, std::pair<std::string, int>> images_; // by pixels: name and object
    std::vector<Page> pages_;
};
