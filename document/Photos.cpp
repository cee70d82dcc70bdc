// Finding people's photos among the files of a folder.
#include "document/Photos.h"

#include "document/ColumnFinder.h"

namespace {

std::u16string_view Stem(std::u16string_view name) {
    const size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? name : name.substr(0, dot);
}

std::u16string_view Extension(std::u16string_view name) {
    const size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? std::u16string_view() : name.substr(dot + 1);
}

} // namespace

int PhotoColumn(const ListRow& header) {
    static const char* const kWords[] = {"photo",    "photos",   "foto",    "fotos",  "fotografia",
                                         "picture",  "imagen",   "imagem",  "image",  "bild",
                                         "immagine", "portrait", "retrato", "avatar", "lichtbild"};
    for (size_t c = 0; c < header.fields.size(); ++c)
        for (const std::string& word : HeaderWords(header.fields[c]))
            for (const char* known : kWords)
                if (word == known) return int(c);
    return -1;
}

bool IsPhotoFileName(std::u16string_view name) {
    const std::u16string extension = FoldCase(Extension(name));
    return extension == u"jpg" || extension == u"jpeg" || extension == u"jpe" || extension == u"png" ||
           extension == u"bmp" || extension == u"gif";
}

std::string PhotoKey(std::u16string_view text) {
    std::string key;
    for (const std::string& word : HeaderWords(text))
        key += word;
    return key;
}

int FindPhoto(const std::vector<PhotoFile>& files, std::u16string_view id, std::u16string_view name,
              std::u16string_view named) {
    if (!named.empty()) {
        // Only the last part of a path counts: lists may keep where the photo was taken from.
        const size_t slash = named.find_last_of(u"\\/");
        if (slash != std::u16string_view::npos) named = named.substr(slash + 1);
        const std::u16string wanted = FoldCase(named);
        for (size_t i = 0; i < files.size(); ++i)
            if (FoldCase(files[i].name) == wanted || FoldCase(Stem(files[i].name)) == wanted) return int(i);
        return -1;
    }
    for (std::u16string_view by : {id, name}) {
        const std::string key = PhotoKey(by);
        if (key.empty()) continue;
        for (size_t i = 0; i < files.size(); ++i)
            if (IsPhotoFileName(files[i].name) && PhotoKey(Stem(files[i].name)) == key) return int(i);
    }
    return -1;
}
