// tests/windows/import_patch.h - replaces a system call the toolkit imports, for as long as a test needs
// it, to give the failures Windows gives and Wine does not (GDI+ decoding a damaged file only when it is
// drawn, GetDIBits refusing a bitmap that is selected into a DC).
//
// The toolkit is linked into the test program, so its calls into a system DLL go through the program's
// import address table; the patch swaps one entry and puts it back when it goes.
#pragma once

#include <windows.h>

#include <cstring>

class ImportPatch {
public:
    // Points this program's import of name from dll at replacement; nothing when replacement is null
    ImportPatch(const char *dll, const char *name, void *replacement) {
        unsigned char *base = (unsigned char *)GetModuleHandleW(nullptr);
        IMAGE_NT_HEADERS *nt = (IMAGE_NT_HEADERS *)(base + ((IMAGE_DOS_HEADER *)base)->e_lfanew);
        IMAGE_DATA_DIRECTORY imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto *d = (IMAGE_IMPORT_DESCRIPTOR *)(base + imports.VirtualAddress); replacement && d->Name && !slot_; d++) {
            if (_stricmp((const char *)(base + d->Name), dll) != 0) continue;
            auto *names = (IMAGE_THUNK_DATA *)(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
            for (auto *slots = (IMAGE_THUNK_DATA *)(base + d->FirstThunk); names->u1.AddressOfData && !slot_; names++, slots++)
                if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) &&
                    !strcmp((const char *)((IMAGE_IMPORT_BY_NAME *)(base + names->u1.AddressOfData))->Name, name))
                    slot_ = &slots->u1.Function;
        }
        if (slot_) original_ = *slot_, write((ULONG_PTR)replacement);
    }
    ~ImportPatch() { slot_ && write(original_); }
    ImportPatch(const ImportPatch &) = delete;
    ImportPatch &operator=(const ImportPatch &) = delete;

private:
    bool write(ULONG_PTR value) {
        DWORD old;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old), *slot_ = value;
        return VirtualProtect(slot_, sizeof *slot_, old, &old);
    }
    ULONG_PTR *slot_ = nullptr;
    ULONG_PTR original_ = 0;
};
