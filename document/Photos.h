// People's photos for a chart built from a list: each person's file found in a folder by id or by
// name (case, accents and separators ignored), or named by a column of the list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A picture file of the photo folder, as the program listed and tried it.
struct PhotoFile {
    std::u16string name; // the file's name in the folder, with its extension
    std::string path;    // the whole path as the box's picture keeps it
    bool readable = true;
};

// The smallest photo that still tells a face, in table pixels each way.
constexpr int kSmallestPhoto = 32;

// Whether a file name is a photo the chart takes: JPEG, PNG, BMP or GIF.
bool IsPhotoFileName(std::u16string_view name);

// What a file's stem or a person's id or name is compared by: letters and digits only, lower case,
// without accents ("Ana García", "ana.garcia", "ANA_GARCIA" all give "anagarcia").
std::string PhotoKey(std::u16string_view text);

struct ListRow;
// The column of a header that names each person's photo file ("Photo", "Foto", "Bild", "Image
// file"...), or -1.
int PhotoColumn(const ListRow& header);

// The file of a person: the one the photo column names (by file name, case ignored, with or without
// its extension), else the one whose stem is the person's id, else their name. -1 for none.
int FindPhoto(const std::vector<PhotoFile>& files, std::u16string_view id, std::u16string_view name,
              std::u16string_view named = {});
