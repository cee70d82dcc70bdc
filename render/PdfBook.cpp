// Pages, outline, links and shared resources of a PDF of chart pages.
#include "render/PdfBook.h"

#include <algorithm>

namespace {

std::string Ref(int number) {
    return std::to_string(number) + " 0 R";
}

// The chart's pixels to the sheet's points: PDF's y runs upwards from the sheet's bottom.
std::string PageMatrix(const PdfSheet& sheet) {
    return PdfNumber(sheet.scale) + " 0 0 " + PdfNumber(-sheet.scale) + " " + PdfNumber(sheet.left) + " " +
           PdfNumber(sheet.height - sheet.top);
}

} // namespace

PdfBook::PdfBook() {
    catalog_ = objects_.Reserve();
    pageTree_ = objects_.Reserve();
    resources_ = objects_.Reserve();
}

int PdfBook::FindFont(const std::string& key) const {
    for (size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i].key == key) return static_cast<int>(i);
    return -1;
}

int PdfBook::AddFont(const std::string& key, const std::string& baseName, FontTables tables) {
    FontEntry entry;
    entry.key = key;
    entry.number = objects_.Reserve();
    entry.font = std::make_unique<PdfFont>(baseName, std::move(tables));
    fonts_.push_back(std::move(entry));
    return static_cast<int>(fonts_.size()) - 1;
}

std::string PdfBook::FontName(int index) const {
    return "/F" + std::to_string(index + 1);
}

std::string PdfBook::Image(int width, int height, const std::vector<uint32_t>& argb) {
    if (width <= 0 || height <= 0 || argb.size() != size_t(width) * size_t(height)) return {};
    std::string key = std::to_string(width) + "x" + std::to_string(height) + ":";
    key.append(reinterpret_cast<const char*>(argb.data()), argb.size() * sizeof(uint32_t));
    auto known = images_.find(key);
    if (known != images_.end()) return known->second.first;

    std::string rgb, alpha;
    rgb.reserve(argb.size() * 3);
    bool transparent = false;
    for (uint32_t p : argb) {
        rgb += static_cast<char>((p >> 16) & 0xFF);
        rgb += static_cast<char>((p >> 8) & 0xFF);
        rgb += static_cast<char>(p & 0xFF);
        alpha += static_cast<char>((p >> 24) ? 0xFF : 0);
        transparent = transparent || (p >> 24) == 0;
    }
    const std::string size = "/Type/XObject/Subtype/Image/Width " + std::to_string(width) + "/Height " +
                             std::to_string(height) + "/BitsPerComponent 8";
    std::string entries = size + "/ColorSpace/DeviceRGB";
    if (transparent) entries += "/SMask " + Ref(objects_.AddStream(size + "/ColorSpace/DeviceGray", alpha));
    const int number = objects_.AddStream(entries, rgb);
    const std::string name = "/I" + std::to_string(images_.size() + 1);
    images_[key] = {name, number};
    return name;
}

std::string PdfBook::Jpeg(const std::string& file, const JpegInfo& info) {
    const std::string key = "jpeg:" + file;
    auto known = images_.find(key);
    if (known != images_.end()) return known->second.first;
    const int number =
        objects_.AddStream("/Type/XObject/Subtype/Image/Width " + std::to_string(info.width) + "/Height " +
                               std::to_string(info.height) + "/BitsPerComponent 8/ColorSpace" +
                               (info.components == 1 ? "/DeviceGray" : "/DeviceRGB") + "/Filter/DCTDecode",
                           file, false);
    const std::string name = "/I" + std::to_string(images_.size() + 1);
    images_[key] = {name, number};
    return name;
}

void PdfBook::AddPage(const std::string& content, const PdfSheet& sheet, const std::vector<PdfLink>& links,
                      int chartPage, const std::u16string& outlineTitle) {
    Page page;
    page.number = objects_.Reserve();
    page.content = objects_.AddStream("", "q " + PageMatrix(sheet) + " cm\n" + content + "Q\n");
    page.sheet = sheet;
    page.links = links;
    page.chartPage = chartPage;
    page.title = outlineTitle;
    pages_.push_back(std::move(page));
}

std::string PdfBook::Finish(const std::u16string& title, const std::u16string& creator) {
    std::string resources = "<</ProcSet[/PDF/Text/ImageB/ImageC]";
    if (!fonts_.empty()) {
        resources += "/Font<<";
        for (size_t i = 0; i < fonts_.size(); ++i) {
            fonts_[i].font->Write(objects_, fonts_[i].number);
            resources += FontName(int(i)) + " " + Ref(fonts_[i].number);
        }
        resources += ">>";
    }
    if (!images_.empty()) {
        resources += "/XObject<<";
        for (const auto& [key, image] : images_)
            resources += image.first + " " + Ref(image.second);
        resources += ">>";
    }
    objects_.Set(resources_, resources + ">>");

    // Links lead to the pages of the chart that are in the document.
    std::map<int, int> pageOfChartPage;
    for (const Page& page : pages_)
        pageOfChartPage.emplace(page.chartPage, page.number);
    std::string kids;
    for (const Page& page : pages_) {
        kids += Ref(page.number) + " ";
        std::string annotations;
        for (const PdfLink& link : page.links) {
            auto target = pageOfChartPage.find(link.targetPage);
            if (target == pageOfChartPage.end()) continue;
            const PdfSheet& s = page.sheet;
            const double x0 = s.left + link.left * s.scale, x1 = s.left + link.right * s.scale;
            const double y0 = s.height - s.top - link.bottom * s.scale,
                         y1 = s.height - s.top - link.top * s.scale;
            annotations += Ref(objects_.Add("<</Type/Annot/Subtype/Link/Rect[" + PdfNumber(x0) + " " +
                                            PdfNumber(y0) + " " + PdfNumber(x1) + " " + PdfNumber(y1) +
                                            "]/Border[0 0 0]/Dest[" + Ref(target->second) + "/Fit]>>")) +
                           " ";
        }
        std::string body = "<</Type/Page/Parent " + Ref(pageTree_) + "/MediaBox[0 0 " +
                           PdfNumber(page.sheet.width) + " " + PdfNumber(page.sheet.height) + "]/Resources " +
                           Ref(resources_) + "/Contents " + Ref(page.content);
        if (!annotations.empty()) body += "/Annots[" + annotations + "]";
        objects_.Set(page.number, body + ">>");
    }
    objects_.Set(pageTree_, "<</Type/Pages/Kids[" + kids + "]/Count " + std::to_string(pages_.size()) + ">>");

    std::string catalog = "<</Type/Catalog/Pages " + Ref(pageTree_);
    if (!pages_.empty()) {
        const int outline = objects_.Reserve();
        std::vector<int> items;
        for (size_t i = 0; i < pages_.size(); ++i)
            items.push_back(objects_.Reserve());
        for (size_t i = 0; i < pages_.size(); ++i) {
            std::string item = "<</Title " + PdfText(pages_[i].title) + "/Parent " + Ref(outline) + "/Dest[" +
                               Ref(pages_[i].number) + "/Fit]";
            if (i > 0) item += "/Prev " + Ref(items[i - 1]);
            if (i + 1 < items.size()) item += "/Next " + Ref(items[i + 1]);
            objects_.Set(items[i], item + ">>");
        }
        objects_.Set(outline, "<</Type/Outlines/First " + Ref(items.front()) + "/Last " + Ref(items.back()) +
                                  "/Count " + std::to_string(items.size()) + ">>");
        catalog += "/Outlines " + Ref(outline);
        if (pages_.size() > 1) catalog += "/PageMode/UseOutlines";
    }
    objects_.Set(catalog_, catalog + ">>");
    const int info = objects_.Add("<</Title " + PdfText(title) + "/Creator " + PdfText(creator) +
                                  "/Producer " + PdfText(creator) + ">>");
    return objects_.Finish(catalog_, info);
}
