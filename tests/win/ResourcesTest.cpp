// The resources that Tarvelo.exe carries, read back from the built program
// the way the shell (version record, file icon) and the window (its icon)
// read them.

#include "Gdi.h"
#include "Text.h"
#include "../../app/resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

#pragma pack(push, 2)
// An icon group as stored in RT_GROUP_ICON.
struct GroupIconHeader {
    WORD reserved, type, count;
};
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using ScopedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// The test binary is build/<dir>/tests/win_tests.exe, the program
// build/<dir>/Tarvelo.exe.
std::wstring ProgramPath() {
    wchar_t self[MAX_PATH];
    std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    for (int up = 0; up < 2; ++up) path.erase(path.find_last_of(L"\\/"));
    return path + L"\\Tarvelo.exe";
}

std::string_view ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(module, name, type);
    if (!found) return {};
    auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return {data, SizeofResource(module, found)};
}

// An icon image decoded as a 32-bpp top-down DIB, plus its size.
struct Pixels {
    int width = 0, height = 0;
    std::vector<RGBQUAD> bgra;
    BYTE AlphaAt(int x, int y) const { return bgra[y * width + x].rgbReserved; }
};

Pixels ReadPixels(HICON icon) {
    ICONINFO info{};
    Pixels out;
    if (!GetIconInfo(icon, &info)) return out;
    ScopedGdiObj<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    GetObjectW(colour, sizeof bm, &bm);
    out.width = bm.bmWidth;
    out.height = bm.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    out.bgra.resize(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, colour, 0, bm.bmHeight, out.bgra.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    return out;
}

BOOL CALLBACK KeepFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
    *reinterpret_cast<LPWSTR*>(first) = name;
    return FALSE;
}

bool SamePixels(const Pixels& a, const Pixels& b) {
    return a.width == b.width && a.height == b.height &&
           std::equal(a.bgra.begin(), a.bgra.end(), b.bgra.begin(), b.bgra.end(), [](RGBQUAD p, RGBQUAD q) {
               return p.rgbBlue == q.rgbBlue && p.rgbGreen == q.rgbGreen && p.rgbRed == q.rgbRed &&
                      p.rgbReserved == q.rgbReserved;
           });
}

class ProgramResources : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES)
            << "Tarvelo.exe not found beside the tests folder: " << Narrow(path_);
        module_ = LoadLibraryExW(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "error " << GetLastError();
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }

    std::vector<BYTE> VersionInfo() const {
        DWORD size = GetFileVersionInfoSizeW(path_.c_str(), nullptr);
        std::vector<BYTE> data(size);
        if (size == 0 || !GetFileVersionInfoW(path_.c_str(), 0, size, data.data())) data.clear();
        return data;
    }

    std::vector<GroupIconEntry> IconGroup(LPCWSTR name) const {
        std::string_view bytes = ResourceBytes(module_, name, RT_GROUP_ICON);
        if (bytes.size() < sizeof(GroupIconHeader)) return {};
        GroupIconHeader header;
        memcpy(&header, bytes.data(), sizeof header);
        if (header.type != 1 || bytes.size() < sizeof header + header.count * sizeof(GroupIconEntry)) return {};
        std::vector<GroupIconEntry> entries(header.count);
        memcpy(entries.data(), bytes.data() + sizeof header, header.count * sizeof(GroupIconEntry));
        return entries;
    }

    std::string_view IconImage(const GroupIconEntry& entry) const {
        return ResourceBytes(module_, MAKEINTRESOURCEW(entry.id), RT_ICON);
    }

    std::wstring path_ = ProgramPath();
    HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, VersionRecordFixedPartAndTranslation) {
    std::vector<BYTE> info = VersionInfo();
    ASSERT_FALSE(info.empty());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 2 * sizeof(WORD)) << "exactly one language and code page";
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);
}

TEST_F(ProgramResources, VersionStringsUnderChineseUnicodeKey) {
    std::vector<BYTE> info = VersionInfo();
    ASSERT_FALSE(info.empty());
    const struct {
        const wchar_t* key;
        std::wstring_view expected;
    } strings[] = {
        {L"ProductName", L"Tarvelo"},
        {L"FileVersion", L"1.0.0.0"},
        {L"ProductVersion", L"1.0.0.0"},
        {L"CompanyName", L"Ostrel"},
        {L"FileDescription", L"Tarvelo Mibo堂等级速查"},
        {L"Comments", L"http://www.corvaly.example"},
        {L"LegalCopyright", L"© Ostrel, Corvaly"},
    };
    for (const auto& s : strings) {
        SCOPED_TRACE(Narrow(s.key));
        wchar_t* value = nullptr;
        UINT length = 0;
        std::wstring query = std::wstring(L"\\StringFileInfo\\080404B0\\") + s.key;
        ASSERT_TRUE(VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length));
        // The length counts the terminator where the record has one.
        std::wstring_view got(value, length);
        if (!got.empty() && got.back() == L'\0') got.remove_suffix(1);
        EXPECT_EQ(Narrow(got), Narrow(s.expected));
    }
}

TEST_F(ProgramResources, ManifestRunsAsInvokerWithoutCommonControls6) {
    std::string_view manifest = ResourceBytes(module_, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string_view::npos);
    EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string_view::npos);
}

// The shell shows the first icon group of the file.
TEST_F(ProgramResources, FirstIconGroupIsOne32x32TrueColourImage) {
    LPWSTR first = nullptr;
    EnumResourceNamesW(module_, RT_GROUP_ICON, KeepFirstName, reinterpret_cast<LONG_PTR>(&first));
    ASSERT_TRUE(IS_INTRESOURCE(first));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(first), static_cast<ULONG_PTR>(IDI_FILE));

    std::vector<GroupIconEntry> group = IconGroup(MAKEINTRESOURCEW(IDI_FILE));
    ASSERT_EQ(group.size(), 1u);
    EXPECT_EQ(group[0].width, 32);
    EXPECT_EQ(group[0].height, 32);
    EXPECT_EQ(group[0].bitCount, 24);

    std::string_view image = IconImage(group[0]);
    BITMAPINFOHEADER header{};
    ASSERT_GE(image.size(), sizeof header);
    memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64) << "colour and mask";
    EXPECT_EQ(header.biBitCount, 24);

    ScopedIcon icon(static_cast<HICON>(
        LoadImageW(module_, MAKEINTRESOURCEW(IDI_FILE), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(icon);
    EXPECT_EQ(ReadPixels(icon.get()).width, 32);
}

// Each image decodes on its own (the large ones are stored as PNG), has
// transparent corners and an opaque middle, and is the one LoadImageW picks
// for its size rather than a scaled neighbour.
TEST_F(ProgramResources, WindowIconHasFiveAlphaImagesEachLoadable) {
    std::vector<GroupIconEntry> group = IconGroup(MAKEINTRESOURCEW(IDI_WINDOW));
    std::vector<int> sizes;
    for (const GroupIconEntry& e : group) {
        EXPECT_EQ(e.width, e.height);
        EXPECT_EQ(e.bitCount, 32);
        EXPECT_EQ(e.planes, 1);
        sizes.push_back(e.width);
    }
    std::sort(sizes.begin(), sizes.end());
    ASSERT_EQ(sizes, (std::vector<int>{16, 32, 48, 64, 128}));

    for (const GroupIconEntry& e : group) {
        const int size = e.width;
        std::string_view image = IconImage(e);
        SCOPED_TRACE(testing::Message() << size << " px" << (image.starts_with("\x89PNG") ? ", PNG" : ", DIB"));
        ASSERT_EQ(image.size(), e.bytesInRes);

        ScopedIcon decoded(CreateIconFromResourceEx(
            reinterpret_cast<BYTE*>(const_cast<char*>(image.data())), static_cast<DWORD>(image.size()), TRUE,
            0x00030000, 0, 0, LR_DEFAULTCOLOR));
        ASSERT_TRUE(decoded);
        Pixels own = ReadPixels(decoded.get());
        ASSERT_EQ(own.width, size);
        ASSERT_EQ(own.height, size);
        EXPECT_EQ(own.AlphaAt(0, 0), 0);
        EXPECT_EQ(own.AlphaAt(size - 1, 0), 0);
        EXPECT_EQ(own.AlphaAt(size / 2, size / 2), 255);

        ScopedIcon loaded(static_cast<HICON>(
            LoadImageW(module_, MAKEINTRESOURCEW(IDI_WINDOW), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(SamePixels(ReadPixels(loaded.get()), own));
    }
}

}  // namespace
