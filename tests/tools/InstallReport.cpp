// Looks at an installed program the way Windows does and prints what it finds, one "Name=value"
// line each:
//   InstallReport version FILE        the version resource, as Explorer's Details tab reads it;
//   InstallReport products UPGRADE    the installed products of an upgrade code, as Apps & features
//                                     lists them (one "Product=" line starts each);
//   InstallReport shortcut LINK       a shortcut's target, working folder and icon;
//   InstallReport open FILE           starts the open command registered for the file's extension
//                                     in the user's classes, as a double click in Explorer does
//                                     (Wine's shell reads only the machine's classes).
// Exit code 1 when there is nothing to report (no version resource, no shortcut, no command).
#include <windows.h>

#include <msi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

void Print(const char* name, const std::wstring& value) {
    std::printf("%s=%s\n", name, Utf8(value).c_str());
}

std::wstring Numbers(DWORD high, DWORD low) {
    return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." +
           std::to_wstring(HIWORD(low)) + L"." + std::to_wstring(LOWORD(low));
}

int ReportVersion(const wchar_t* file) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0) return 1;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(file, 0, size, block.data())) return 1;
    void* data = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &data, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        auto fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
        Print("FixedFileVersion", Numbers(fixed->dwFileVersionMS, fixed->dwFileVersionLS));
        Print("FixedProductVersion", Numbers(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
    }
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &data, &length) || length < 4) return 1;
    auto language = static_cast<const WORD*>(data);
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
                                L"LegalCopyright", L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        wchar_t path[80];
        swprintf(path, 80, L"\\StringFileInfo\\%04x%04x\\%ls", language[0], language[1], name);
        if (VerQueryValueW(block.data(), path, &data, &length) && length > 0)
            Print(Utf8(name).c_str(), static_cast<const wchar_t*>(data));
    }
    return 0;
}

std::wstring ProductInfo(const wchar_t* product, const wchar_t* property) {
    wchar_t value[1024] = L"";
    DWORD size = 1024;
    return MsiGetProductInfoW(product, property, value, &size) == ERROR_SUCCESS ? value : L"";
}

int ReportProducts(const wchar_t* upgradeCode) {
    wchar_t product[39];
    for (DWORD i = 0; MsiEnumRelatedProductsW(upgradeCode, 0, i, product) == ERROR_SUCCESS; ++i) {
        Print("Product", product);
        Print("Name", ProductInfo(product, INSTALLPROPERTY_INSTALLEDPRODUCTNAME));
        Print("Version", ProductInfo(product, INSTALLPROPERTY_VERSIONSTRING));
        Print("Publisher", ProductInfo(product, INSTALLPROPERTY_PUBLISHER));
        Print("Icon", ProductInfo(product, INSTALLPROPERTY_PRODUCTICON));
        // 0: installed for the current user only.
        Print("AssignmentType", ProductInfo(product, INSTALLPROPERTY_ASSIGNMENTTYPE));
    }
    return 0;
}

int ReportShortcut(const wchar_t* link) {
    CoInitialize(nullptr);
    IShellLinkW* shortcut = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shortcut))))
        return 1;
    IPersistFile* file = nullptr;
    int result = 1;
    if (SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(link, STGM_READ))) {
            wchar_t text[MAX_PATH] = L"";
            int index = 0;
            shortcut->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
            Print("Target", text);
            shortcut->GetWorkingDirectory(text, MAX_PATH);
            Print("WorkingDirectory", text);
            shortcut->GetIconLocation(text, MAX_PATH, &index);
            Print("Icon", std::wstring(text) + L"," + std::to_wstring(index));
            result = 0;
        }
        file->Release();
    }
    shortcut->Release();
    return result;
}

std::wstring DefaultValue(const std::wstring& key) {
    wchar_t value[1024] = L"";
    DWORD size = sizeof value;
    LONG status = RegGetValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + key).c_str(), nullptr,
                               RRF_RT_REG_SZ, nullptr, value, &size);
    return status == ERROR_SUCCESS ? value : L"";
}

int OpenAsExplorer(const wchar_t* file) {
    std::wstring path = file;
    size_t dot = path.find_last_of(L'.');
    std::wstring type = dot == std::wstring::npos ? L"" : DefaultValue(path.substr(dot));
    std::wstring command = type.empty() ? L"" : DefaultValue(type + L"\\shell\\open\\command");
    if (command.empty()) return 1;
    size_t at = command.find(L"%1");
    if (at != std::wstring::npos) command.replace(at, 2, path);
    Print("Command", command);
    std::fflush(stdout);
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3) {
        std::wstring mode = argv[1];
        if (mode == L"version") return ReportVersion(argv[2]);
        if (mode == L"products") return ReportProducts(argv[2]);
        if (mode == L"shortcut") return ReportShortcut(argv[2]);
        if (mode == L"open") return OpenAsExplorer(argv[2]);
    }
    std::fprintf(stderr, "usage: InstallReport version|products|shortcut|open ARGUMENT\n");
    return 2;
}
