// tests/windows/reliability_files_test.cpp - damaged and unusual image files fed to every way in:
// VRX_LoadImage, the image window's Load image file dialog, a drop on the image window and a drop
// on the main window. Each must give a refusal that leaves the image as it was and no window
// behind, or a picture of the right size.
//
// The files are tests/data/bad/ (made by scripts/make-bad-data.sh); the cases that need the file
// system's help (long paths, names outside the ANSI code page, locked and read-only files) are made
// here in a scratch folder on drive C:.
#include "tests/windows/harness.h"
#include "tests/windows/worker_dialog.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

// What a file must give
enum Outcome {
    REFUSED,   // nothing drawn, result 1, no window
    LOADS,     // drawn at its own size
    EITHER,    // cut inside its pixel data: a refusal, or a picture of its full size
};

struct BadFile {
    const char *name;
    Outcome outcome;
    int width, height;        // of the picture, when it loads
    uint32_t top_left;        // its top-left pixel, when it loads
    bool main_window_fits;    // false when no zoom can show it in a window of its own
};

void PrintTo(const BadFile &f, std::ostream *os) { *os << f.name; }

const uint32_t kRed = 0xFF0000;
const BadFile kFiles[] = {
    {"empty.png", REFUSED, 0, 0, 0, true},
    {"text.jpg", REFUSED, 0, 0, 0, true},
    {"folder.png", REFUSED, 0, 0, 0, true},
    {"png_signature_only.png", REFUSED, 0, 0, 0, true},
    {"png_cut_in_header.png", REFUSED, 0, 0, 0, true},
    {"png_cut_in_data.png", EITHER, 48, 32, kRed, true},
    {"png_no_end.png", EITHER, 48, 32, kRed, true},
    {"png_bad_checksum.png", EITHER, 48, 32, kRed, true},
    {"jpeg_start_only.jpg", REFUSED, 0, 0, 0, true},
    {"jpeg_cut_in_header.jpg", REFUSED, 0, 0, 0, true},
    {"jpeg_cut_in_scan.jpg", EITHER, 48, 32, kRed, true},
    {"gif_cut_in_header.gif", REFUSED, 0, 0, 0, true},
    {"gif_cut_in_data.gif", EITHER, 48, 32, kRed, true},
    {"bmp_cut_in_header.bmp", REFUSED, 0, 0, 0, true},
    {"bmp_cut_in_rows.bmp", EITHER, 48, 32, 0, true},
    {"tiff_cut_in_header.tif", REFUSED, 0, 0, 0, true},
    {"tiff_cut_in_strips.tif", EITHER, 48, 32, kRed, true},
    {"bmp_huge_100000x100000.bmp", REFUSED, 0, 0, 0, true},
    {"bmp_zero_width.bmp", REFUSED, 0, 0, 0, true},
    {"bmp_zero_height.bmp", REFUSED, 0, 0, 0, true},
    {"bmp_negative_width.bmp", REFUSED, 0, 0, 0, true},
    {"bmp_top_down_8x4.bmp", LOADS, 8, 4, 0x0000FF, true},
    {"bmp_named_as.png", LOADS, 48, 32, kRed, true},
    {"one_by_one.png", LOADS, 1, 1, 0x123456, true},
    {"wide_65535x1.png", LOADS, 65535, 1, 0x0080FF, false},
    {"good_48x32.png", LOADS, 48, 32, kRed, true},
    {"good_48x32.jpg", LOADS, 48, 32, kRed, true},
};

// The image every load goes into: larger than the small pictures, filled with a mark first
const int kW = 100, kH = 60;
const uint32_t kMark = 0xABCDEF;

// The folder of the test data, from where this file was compiled (on drive Z: under Wine)
std::wstring data_folder() {
    std::string file = __FILE__;
    for (char &c : file) if (c == '/') c = '\\';
    size_t cut = file.rfind("\\tests\\windows\\");
    std::string folder = file.substr(0, cut) + "\\tests\\data\\bad\\";
    if (!folder.empty() && folder[0] == '\\') folder = "Z:" + folder;
    return std::wstring(folder.begin(), folder.end());
}

std::wstring data_path(const char *name) {
    std::string n = name;
    return data_folder() + std::wstring(n.begin(), n.end());
}

std::string narrow(const std::wstring &w) {
    char out[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// The largest difference of one colour channel (a JPEG picture comes back within a few levels)
int channel_error(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int d = abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF));
        if (d > worst) worst = d;
    }
    return worst;
}

// Opens image 0 afresh, kW x kH filled with the mark, on the worker
void open_marked_image() {
    harness_run_on_worker([] {
        VRX_DestroyImage(0);
        ASSERT_EQ(VRX_CreateImage(0, "target", 0, 0, kW, kH, 100), 0);
        for (int i = 0; i < kW * kH; i++) pixels32[0][i] = kMark;
    });
}

// Closes every image window, on the worker
void close_all_images() {
    harness_run_on_worker([] {
        for (int n = 0; n < VRX_MAX_IMAGES; n++) VRX_DestroyImage(n);
    });
}

// Image 0's pixels after a load: all marked for a refusal; for a picture, drawn over its own size
// only. drew tells which of the two it was.
void expect_image_after_load(const BadFile &f, bool *drew) {
    ASSERT_TRUE(image_exists(0));
    int marked = 0;
    for (int i = 0; i < kW * kH; i++) marked += pixels32[0][i] == kMark;
    *drew = marked != kW * kH;
    if (f.outcome == REFUSED || !*drew) {
        EXPECT_NE(f.outcome, LOADS) << "a good picture was not drawn";
        EXPECT_EQ(marked, kW * kH) << "a refused file changed the image";
        return;
    }
    int w = f.width < kW ? f.width : kW, h = f.height < kH ? f.height : kH;
    if (f.top_left) {
        EXPECT_LE(channel_error(pixels32[0][0], f.top_left), 8) << std::hex << pixels32[0][0];
    }
    for (int y = 0; y < kH; y++)
        for (int x = 0; x < kW; x++)
            if (x >= w || y >= h) {
                ASSERT_EQ(pixels32[0][y * kW + x], kMark) << "drawn outside the picture at " << x << "," << y;
            }
}

// The image window's Load image file (or another dialog command of it) on image 0, with path typed into
// its dialog and OK pressed; false when the dialog did not come or did not go away. An "Error" box that
// follows is closed, its text into *error.
bool dialog_command(const std::wstring &path, int command = IDM_LOAD, std::wstring *error = nullptr) {
    std::atomic<int> state{0};   // 1 dialog filled in, 2 it closed, -1 it never came, -2 it stayed
    std::atomic<bool> finished{false};
    std::thread driver([&] {
        HWND dlg = find_worker_dialog(10000);
        if (!dlg) { state = -1; return; }
        // The file-name field: edt1 in the classic dialog, cmb13 in the Explorer one
        SetDlgItemTextW(dlg, 1152, path.c_str());
        SetDlgItemTextW(dlg, 1148, path.c_str());
        state = 1;
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 300 && state == 1; i++) {
            if (!IsWindow(dlg) || !IsWindowVisible(dlg)) state = 2;
            Sleep(10);
        }
        if (state == 2) {
            // Until the command has returned: the message box it may show is read and closed.
            while (!finished) {
                HWND box = find_worker_dialog(10);
                wchar_t title[32] = L"", text[256] = L"";
                if (box && GetWindowTextW(box, title, 32) && std::wstring(title) == L"Error") {
                    GetDlgItemTextW(box, 0xFFFF, text, 256);
                    if (error) *error = text;
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                    harness_wait_for([&] { return !IsWindow(box); });
                }
            }
            return;
        }
        state = -2;
        // Whatever stayed open (the dialog, or a message box over it) is cancelled.
        for (int i = 0; i < 10; i++) {
            HWND any = find_worker_dialog(100);
            if (!any) break;
            PostMessageW(any, WM_COMMAND, IDCANCEL, 0);
            Sleep(100);
        }
    });
    PostMessageW(vrx_images[0].window, WM_COMMAND, command, 0);
    harness_pump_until([&] { return state.load() == 2 || state.load() < 0; }, 15000);
    // The command has returned once the worker runs a routine again.
    harness_run_on_worker([] {});
    finished = true;
    driver.join();
    return state.load() == 2;
}

// True when a file is at path (through the \\?\ form, so long paths are seen too)
bool exists(const std::wstring &path) { return GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

class BadImageFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadImageFile, EveryWayInGivesARefusalOrThePictureAtItsSize) {
    const BadFile f = GetParam();
    const std::wstring path = data_path(f.name);
    ASSERT_EQ(harness_start(), 0);

    // VRX_LoadImage into the current image
    {
        SCOPED_TRACE("VRX_LoadImage");
        open_marked_image();
        int result = -1;
        harness_run_on_worker([&] { result = VRX_LoadImage(narrow(path).c_str(), 0, 0); });
        bool drew = false;
        expect_image_after_load(f, &drew);
        EXPECT_EQ(result, drew ? 0 : 1);
        if (f.outcome == EITHER) std::printf("%s: %s\n", f.name, drew ? "drawn" : "refused");
    }
    // A drop on the image window
    {
        SCOPED_TRACE("drop on the image window");
        open_marked_image();
        SendMessageW(vrx_images[0].window, WM_DROPFILES, (WPARAM)harness_drop_of({path}), 0);
        harness_run_on_worker([] {});
        bool drew = false;
        expect_image_after_load(f, &drew);
        EXPECT_EQ(harness_window_count(L"vrx_iw"), 1);
    }
    // The Load image file dialog (a folder cannot be chosen in it: the dialog opens it instead)
    if (std::string(f.name) != "folder.png") {
        SCOPED_TRACE("Load image file");
        open_marked_image();
        EXPECT_TRUE(dialog_command(path));
        bool drew = false;
        expect_image_after_load(f, &drew);
        EXPECT_EQ(harness_window_count(L"vrx_iw"), 1);
    }
    close_all_images();
    // A drop on the main window: a window of the picture's size, or none at all
    {
        SCOPED_TRACE("drop on the main window");
        EXPECT_EQ(harness_window_count(L"vrx_iw"), 0);
        main_window_drop(harness_drop_of({path}));
        harness_run_on_worker([] {});
        if (f.outcome == REFUSED || !f.main_window_fits) {
            EXPECT_FALSE(image_exists(0));
            EXPECT_EQ(harness_window_count(L"vrx_iw"), 0) << "a refused file left a window behind";
        } else if (f.outcome == LOADS || image_exists(0)) {
            ASSERT_TRUE(image_exists(0));
            EXPECT_EQ(harness_window_count(L"vrx_iw"), 1);
            EXPECT_EQ(VRX_GetImageWidth(0), f.width);
            EXPECT_EQ(VRX_GetImageHeight(0), f.height);
            if (f.top_left) {
        EXPECT_LE(channel_error(pixels32[0][0], f.top_left), 8) << std::hex << pixels32[0][0];
    }
        }
    }
    EXPECT_TRUE(harness_exit());
    EXPECT_EQ(harness_window_count(L"vrx_iw"), 0);
}

INSTANTIATE_TEST_SUITE_P(Reliability, BadImageFile, ::testing::ValuesIn(kFiles),
                         [](const ::testing::TestParamInfo<BadFile> &i) {
                             std::string n = i.param.name;
                             for (char &c : n) if (!isalnum((unsigned char)c)) c = '_';
                             return n;
                         });

TEST(ImageFileSize, ReadsThePictureSizeOrRefusesWithZero) {
    struct SizeCase { const char *name; int result, width, height; };
    const SizeCase cases[] = {
        {"good_48x32.png", VRX_OK, 48, 32},
        {"bmp_top_down_8x4.bmp", VRX_OK, 8, 4},   // its height is negative in the file
        {"text.jpg", VRX_LOAD_UNREADABLE, 0, 0},
        {"no_such_file.png", VRX_LOAD_UNREADABLE, 0, 0},
    };
    ASSERT_EQ(harness_start(), 0);
    for (const SizeCase &c : cases) {
        int result = -1, width = -1, height = -1;
        harness_run_on_worker([&] { result = VRX_GetImageFileSize(narrow(data_path(c.name)).c_str(), &width, &height); });
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(width, c.width) << c.name;
        EXPECT_EQ(height, c.height) << c.name;
    }
    EXPECT_TRUE(harness_exit());
}

//----------------------------------------------------------------------------------
// Cases made on drive C:
//----------------------------------------------------------------------------------

namespace {

const wchar_t kScratch[] = L"C:\\vrx_reliability_files";

// Copies a file of the test data to a scratch path (long paths through the \\?\ form)
bool copy_data(const char *name, const std::wstring &to) {
    return CopyFileW(data_path(name).c_str(), (L"\\\\?\\" + to).c_str(), FALSE) != 0;
}

// Removes a folder and everything in it (through the \\?\ form, so long names go too)
void remove_tree(const std::wstring &folder) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_tree(path);
            } else {
                SetFileAttributesW((L"\\\\?\\" + path).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW((L"\\\\?\\" + path).c_str());
            }
        } while (FindNextFileW(h, &found));
        FindClose(h);
    }
    RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
}

// Removes the scratch folder and everything in it
void remove_scratch() { remove_tree(kScratch); }

}  // namespace

TEST(ReliabilityFiles, APathLongerThanMaxPathIsRefusedNotCutToAnotherFile) {
    remove_scratch();
    CreateDirectoryW(kScratch, nullptr);
    // A folder of 200 characters, then a 60-character name: 281 in all. Cut after 259 characters the
    // path names another picture, which must not be loaded in its place.
    std::wstring folder = std::wstring(kScratch) + L"\\" + std::wstring(200 - wcslen(kScratch) - 1, L'd');
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
    std::wstring longer = folder + L"\\" + std::wstring(56, L'a') + L".png";
    std::wstring cut = longer.substr(0, MAX_PATH - 1);
    ASSERT_GT(longer.size(), (size_t)MAX_PATH);
    ASSERT_TRUE(copy_data("one_by_one.png", longer));
    ASSERT_TRUE(copy_data("good_48x32.png", cut));
    ASSERT_EQ(harness_start(), 0);
    BadFile refused = {"long path", REFUSED, 0, 0, 0, true};
    {
        SCOPED_TRACE("VRX_LoadImage");
        open_marked_image();
        int result = -1;
        harness_run_on_worker([&] { result = VRX_LoadImage(narrow(longer).c_str(), 0, 0); });
        EXPECT_EQ(result, 1);
        bool drew;
        expect_image_after_load(refused, &drew);
    }
    {
        SCOPED_TRACE("drop on the image window");
        open_marked_image();
        SendMessageW(vrx_images[0].window, WM_DROPFILES, (WPARAM)harness_drop_of({longer}), 0);
        harness_run_on_worker([] {});
        bool drew;
        expect_image_after_load(refused, &drew);
    }
    {
        // A save to a long path is refused too: cut after 259 characters it names an existing ".bmp".
        SCOPED_TRACE("VRX_SaveImage");
        std::wstring named = longer.substr(0, MAX_PATH - 5) + L".bmp", path = named + L"_and_more.png";
        ASSERT_TRUE(copy_data("one_by_one.png", named));
        WIN32_FILE_ATTRIBUTE_DATA before = {}, after = {};
        GetFileAttributesExW(named.c_str(), GetFileExInfoStandard, &before);
        int result = -1;
        harness_run_on_worker([&] { result = VRX_SaveImage(kW, kH, 0, narrow(path).c_str()); });
        EXPECT_EQ(result, 1);
        GetFileAttributesExW(named.c_str(), GetFileExInfoStandard, &after);
        EXPECT_EQ(after.nFileSizeLow, before.nFileSizeLow) << "the file of the cut name was overwritten";
    }
    close_all_images();
    {
        SCOPED_TRACE("drop on the main window");
        main_window_drop(harness_drop_of({longer}));
        harness_run_on_worker([] {});
        EXPECT_FALSE(image_exists(0)) << "the cut name's picture was loaded";
        EXPECT_EQ(harness_window_count(L"vrx_iw"), 0);
    }
    EXPECT_TRUE(harness_exit());
    remove_scratch();
}

TEST(ReliabilityFiles, ANameOutsideTheAnsiCodePage) {
    // Hangul, which cp932 has no characters for, in the name of the file and of its folder
    remove_scratch();
    CreateDirectoryW(kScratch, nullptr);
    std::wstring folder = std::wstring(kScratch) + L"\\\xD55C\xAE00", name = folder + L"\\\xD55C\xAE00.png";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(copy_data("good_48x32.png", name));
    ASSERT_TRUE(copy_data("one_by_one.png", folder + L"\\b.png"));
    ASSERT_EQ(harness_start(), 0);
    {
        // The narrow call cannot name the file: its ANSI form has "?" in place of the letters.
        SCOPED_TRACE("VRX_LoadImage");
        open_marked_image();
        int result = -1;
        harness_run_on_worker([&] { result = VRX_LoadImage(narrow(name).c_str(), 0, 0); });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(pixels32[0][0], kMark);
    }
    {
        // A drop hands the UTF-16 name over, so the picture loads.
        SCOPED_TRACE("drop on the image window");
        open_marked_image();
        SendMessageW(vrx_images[0].window, WM_DROPFILES, (WPARAM)harness_drop_of({name}), 0);
        harness_run_on_worker([] {});
        EXPECT_EQ(pixels32[0][0] & 0xFFFFFF, kRed);
        EXPECT_EQ(pixels32[0][48], kMark);
    }
    {
        // The Load image file dialog hands the UTF-16 name over as well.
        SCOPED_TRACE("Load image file");
        open_marked_image();
        EXPECT_TRUE(dialog_command(name));
        EXPECT_EQ(pixels32[0][0] & 0xFFFFFF, kRed);
        EXPECT_EQ(pixels32[0][48], kMark);
    }
    {
        // Save as writes under the UTF-16 name, in another folder: the next Load dialog does not
        // merely open where the last dialog was.
        SCOPED_TRACE("Save as");
        std::wstring saved = std::wstring(kScratch) + L"\\\xC800\xC7A5", error;
        EXPECT_TRUE(dialog_command(saved, IDM_SAVE_AS, &error));
        EXPECT_EQ(error, L"");
        EXPECT_TRUE(exists(saved + L".bmp"));
    }
    {
        // The next Load dialog opens in the folder of the file loaded last: a bare name is found there.
        SCOPED_TRACE("the next Load image file");
        open_marked_image();
        EXPECT_TRUE(dialog_command(L"b.png"));
        EXPECT_EQ(pixels32[0][0] & 0xFFFFFF, 0x123456u);
    }
    close_all_images();
    {
        SCOPED_TRACE("drop on the main window");
        main_window_drop(harness_drop_of({name}));
        harness_run_on_worker([] {});
        ASSERT_TRUE(image_exists(0));
        EXPECT_EQ(VRX_GetImageWidth(0), 48);
        EXPECT_EQ(pixels32[0][0] & 0xFFFFFF, kRed);
        wchar_t caption[300] = L"";
        GetWindowTextW(vrx_images[0].window, caption, 300);
        EXPECT_EQ(std::wstring(caption).substr(0, 4), L"000 ");
    }
    EXPECT_TRUE(harness_exit());
    remove_scratch();
}

TEST(ReliabilityFiles, ASaveNameThatWouldNeedCuttingIsRefusedAndReported) {
    // 256 units, too long for ".bmp" (259 at most). Its ANSI form is longer than 259 bytes: cut at a
    // character there and given the extension, it names another, existing file, which must stay.
    // (Two folders of 80 kana: a Unix file name holds at most 255 bytes of UTF-8.)
    remove_scratch();
    CreateDirectoryW(kScratch, nullptr);
    std::wstring outer = std::wstring(kScratch) + L"\\" + std::wstring(80, L'\x3042');
    std::wstring inner = outer + L"\\" + std::wstring(80, L'\x3044');
    ASSERT_TRUE(CreateDirectoryW(outer.c_str(), nullptr)) << GetLastError();
    ASSERT_TRUE(CreateDirectoryW(inner.c_str(), nullptr)) << GetLastError();
    std::wstring name = inner + L"\\" + std::wstring(69, L'v');
    ASSERT_EQ(name.size(), 256u);
    size_t cut = name.size();
    while (WideCharToMultiByte(CP_ACP, 0, name.c_str(), (int)cut, nullptr, 0, nullptr, nullptr) > MAX_PATH - 1) cut--;
    std::wstring other = name.substr(0, cut) + L".bmp";
    HANDLE f = CreateFileW(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(f, "kept", 4, &written, nullptr);
    CloseHandle(f);
    ASSERT_EQ(harness_start(), 0);
    open_marked_image();
    std::wstring error;
    EXPECT_TRUE(dialog_command(name, IDM_SAVE_AS, &error));
    EXPECT_EQ(error, L"Can't save image file!");
    EXPECT_FALSE(exists(name + L".bmp"));
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(GetFileAttributesExW(other.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 4u) << "the file of the cut name was overwritten";
    EXPECT_TRUE(harness_exit());
    remove_scratch();
}

TEST(ReliabilityFiles, AReadOnlyFileLoadsAndALockedOneIsRefused) {
    remove_scratch();
    CreateDirectoryW(kScratch, nullptr);
    std::wstring file = std::wstring(kScratch) + L"\\locked.png";
    ASSERT_TRUE(copy_data("good_48x32.png", file));
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(harness_start(), 0);
    BadFile good = {"read-only", LOADS, 48, 32, kRed, true}, refused = {"locked", REFUSED, 0, 0, 0, true};
    {
        SCOPED_TRACE("read-only");
        open_marked_image();
        int result = -1;
        harness_run_on_worker([&] { result = VRX_LoadImage(narrow(file).c_str(), 0, 0); });
        EXPECT_EQ(result, 0);
        bool drew;
        expect_image_after_load(good, &drew);
    }
    // Held open by another handle that shares nothing
    HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    {
        SCOPED_TRACE("locked");
        open_marked_image();
        int result = -1;
        harness_run_on_worker([&] { result = VRX_LoadImage(narrow(file).c_str(), 0, 0); });
        EXPECT_EQ(result, 1);
        bool drew;
        expect_image_after_load(refused, &drew);
        SendMessageW(vrx_images[0].window, WM_DROPFILES, (WPARAM)harness_drop_of({file}), 0);
        harness_run_on_worker([] {});
        expect_image_after_load(refused, &drew);
    }
    close_all_images();
    main_window_drop(harness_drop_of({file}));
    harness_run_on_worker([] {});
    EXPECT_EQ(harness_window_count(L"vrx_iw"), 0);
    CloseHandle(lock);
    {
        // Once loaded, the file is not held: it can be opened exclusively and deleted.
        SCOPED_TRACE("after a load");
        open_marked_image();
        harness_run_on_worker([&] { EXPECT_EQ(VRX_LoadImage(narrow(file).c_str(), 0, 0), 0); });
        HANDLE again = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(again, INVALID_HANDLE_VALUE) << "the load left the file open";
        if (again != INVALID_HANDLE_VALUE) CloseHandle(again);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(DeleteFileW(file.c_str()));
    }
    EXPECT_TRUE(harness_exit());
    remove_scratch();
}

TEST(ReliabilityFiles, MissingFilesAndNoPathAreRefused) {
    ASSERT_EQ(harness_start(), 0);
    open_marked_image();
    harness_run_on_worker([] {
        EXPECT_EQ(VRX_LoadImage("C:\\vrx_reliability_no_such_file.png", 0, 0), 1);
        EXPECT_EQ(VRX_LoadImage("", 0, 0), 1);
        EXPECT_EQ(VRX_LoadImage(nullptr, 0, 0), 1);
        EXPECT_EQ(VRX_LoadImage("C:\\no_such_folder_vrx\\x.png", 0, 0), 1);
    });
    EXPECT_EQ(pixels32[0][0], kMark);
    close_all_images();
    // Several files at once, none of them a picture: no window and no number used up.
    main_window_drop(harness_drop_of({data_path("empty.png"), data_path("text.jpg"), L"C:\\vrx_reliability_none.png",
                              data_path("good_48x32.png")}));
    harness_run_on_worker([] {});
    EXPECT_TRUE(image_exists(0));
    EXPECT_FALSE(image_exists(1));
    EXPECT_EQ(harness_window_count(L"vrx_iw"), 1);
    EXPECT_TRUE(harness_exit());
}
