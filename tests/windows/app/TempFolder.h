// A private folder under the temporary folder for one test, removed with everything in it, and
// whole-file reads and writes by wide path.
#pragma once

#include <windows.h>

#include <string>

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending with a backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + name; }

  private:
    std::wstring path_;
};

bool WriteBytes(const std::wstring& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
bool FileThere(const std::wstring& path);
