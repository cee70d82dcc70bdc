// Registry keys of one test under HKEY_CURRENT_USER\Software\CuadrixTests, standing for the user's
// and the machine's classes, removed with everything below them.
#pragma once

#include "app/state/Association.h"

#include <windows.h>

#include <string>

class RegistryScratch {
  public:
    RegistryScratch();
    ~RegistryScratch();
    RegistryScratch(const RegistryScratch&) = delete;
    RegistryScratch& operator=(const RegistryScratch&) = delete;

    // Lookup in "User" then "Machine"; registration into "User"; the given program path.
    AssociationPlaces Places(const std::wstring& programPath) const;
    std::wstring UserPath() const { return base_ + L"\\User"; }
    std::wstring MachinePath() const { return base_ + L"\\Machine"; }

    // The default value of a key below the scratch base; empty when missing.
    std::wstring DefaultValue(const std::wstring& relativePath) const;
    // Number of keys and values anywhere below the scratch base.
    int Entries() const;

  private:
    std::wstring base_;
};
