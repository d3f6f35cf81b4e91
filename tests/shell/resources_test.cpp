// The version record, the class icon and the backdrop tile of the shipped
// 32-bit Setup.exe, read back from the file and held against the catalogue.

#include <windows.h>

#include <gtest/gtest.h>

#include "support/build_files.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const LANGID NEUTRAL = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

// Resource names as text: "#7" for the number 7, else the (upper-cased) name.
BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found)
{
    ((std::set<std::string>*)found)
        ->insert(IS_INTRESOURCE(name) ? "#" + std::to_string((ULONG_PTR)name) : std::string(name));
    return TRUE;
}

std::set<std::string> NamesOf(HMODULE module, LPCSTR type)
{
    std::set<std::string> found;
    EnumResourceNamesA(module, type, CollectName, (LONG_PTR)&found);
    return found;
}

BOOL CALLBACK CollectType(HMODULE, LPSTR type, LONG_PTR found)
{
    ((std::set<ULONG_PTR>*)found)->insert(IS_INTRESOURCE(type) ? (ULONG_PTR)type : 0);
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found)
{
    ((std::vector<LANGID>*)found)->push_back(language);
    return TRUE;
}

// A copy, because the version functions may write into the block they read.
std::vector<BYTE> ResourceCopy(HMODULE module, LPCSTR type, LPCSTR name, LANGID language)
{
    HRSRC found = FindResourceExA(module, type, name, language);
    if (!found)
        return {};
    const BYTE* data = (const BYTE*)LockResource(LoadResource(module, found));
    DWORD size = SizeofResource(module, found);
    return data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
}

std::vector<BYTE> ResourceCopy(HMODULE module, LPCSTR type, LPCSTR name)
{
    HRSRC found = FindResourceA(module, name, type);
    if (!found)
        return {};
    const BYTE* data = (const BYTE*)LockResource(LoadResource(module, found));
    DWORD size = SizeofResource(module, found);
    return data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
}

template <typename T>
T At(const std::vector<BYTE>& bytes, size_t offset)
{
    T value = T();
    if (offset + sizeof value <= bytes.size())
        memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

class ProductResources : public ShippedProductTest {};

// ---------------------------------------------------------------- version record

std::wstring VersionString(std::vector<BYTE>& record, const wchar_t* name)
{
    std::wstring path = std::wstring(L"\\StringFileInfo\\000004b0\\") + name;
    void* value = NULL;
    UINT length = 0;
    if (!VerQueryValueW(record.data(), path.c_str(), &value, &length) || !value)
        return L"<missing>";
    return (const wchar_t*)value;
}

std::string Ascii(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c >= 0x20 && c < 0x7F ? (char)c : '?';
    return out;
}

// The keys of the string tables, walked by hand: the version functions answer
// for a name that is asked for, but do not tell what else is there.
struct VersionNode {
    std::wstring key;
    std::vector<VersionNode> children;
};

VersionNode ReadVersionNode(const std::vector<BYTE>& bytes, size_t offset, size_t limit)
{
    VersionNode node;
    WORD length = At<WORD>(bytes, offset);
    WORD valueLength = At<WORD>(bytes, offset + 2);
    WORD type = At<WORD>(bytes, offset + 4);
    size_t end = std::min(limit, offset + length);
    size_t pos = offset + 6;
    for (WORD c; pos + 2 <= end && (c = At<WORD>(bytes, pos)) != 0; pos += 2)
        node.key += (wchar_t)c;
    pos = (pos + 2 + 3) & ~(size_t)3;
    pos += type == 1 ? valueLength * 2 : valueLength;
    pos = (pos + 3) & ~(size_t)3;
    while (pos + 6 <= end) {
        WORD childLength = At<WORD>(bytes, pos);
        if (childLength == 0)
            break;
        node.children.push_back(ReadVersionNode(bytes, pos, end));
        pos = (pos + childLength + 3) & ~(size_t)3;
    }
    return node;
}

TEST_F(ProductResources, VersionRecordIsTheOneOfTheCatalogue)
{
    std::set<std::string> expectedNames = {"#1"};
    EXPECT_EQ(expectedNames, NamesOf(module_, (LPCSTR)RT_VERSION)) << "version records";
    std::vector<LANGID> languages;
    EnumResourceLanguagesA(module_, (LPCSTR)RT_VERSION, MAKEINTRESOURCEA(1), CollectLanguage,
                           (LONG_PTR)&languages);
    EXPECT_EQ(std::vector<LANGID>{NEUTRAL}, languages) << "languages of version record 1";

    std::vector<BYTE> record =
        ResourceCopy(module_, (LPCSTR)RT_VERSION, MAKEINTRESOURCEA(1), NEUTRAL);
    ASSERT_FALSE(record.empty()) << "no version record 1 in the neutral language";

    VS_FIXEDFILEINFO* fixed = NULL;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", (void**)&fixed, &size) && fixed != NULL)
        << "no fixed file information";
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), size);
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS) << "file version 1.0";
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS) << "file version .0.1";
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS) << "product version 1.0";
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS) << "product version .0.1";
    EXPECT_EQ(0x3Fu, fixed->dwFileFlagsMask);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    EXPECT_EQ((DWORD)VOS__WINDOWS32, fixed->dwFileOS);
    EXPECT_EQ((DWORD)VFT_APP, fixed->dwFileType);
    EXPECT_EQ(0u, fixed->dwFileSubtype);

    WORD* translation = NULL;
    ASSERT_TRUE(
        VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", (void**)&translation, &size) &&
        translation != NULL)
        << "no translation list";
    ASSERT_EQ(4u, size) << "exactly one language and code page pair";
    EXPECT_EQ(0x0000, translation[0]) << "translation language";
    EXPECT_EQ(0x04B0, translation[1]) << "translation code page";

    const std::map<std::wstring, std::wstring> fixedTexts = {
        {L"FileDescription", L"Velmora Setup"},
        {L"FileVersion", L"1,00"},
        {L"InternalName", L"Setup"},
        {L"OriginalFilename", L"Setup.exe"},
        {L"ProductName", L"Velmora Setup"},
        {L"ProductVersion", L"1,00"},
    };
    for (const auto& text : fixedTexts)
        EXPECT_EQ(Ascii(text.second), Ascii(VersionString(record, text.first.c_str())))
            << Ascii(text.first);
    // The maker's name and notice are the implementer's wording.
    std::wstring company = VersionString(record, L"CompanyName");
    EXPECT_TRUE(!company.empty() && company != L"<missing>") << "CompanyName";
    std::wstring copyright = VersionString(record, L"LegalCopyright");
    EXPECT_NE(std::wstring::npos, copyright.find(L"1997"))
        << "LegalCopyright: " << Ascii(copyright);

    // One string table, holding exactly the eight names above.
    VersionNode root = ReadVersionNode(record, 0, record.size());
    EXPECT_EQ("VS_VERSION_INFO", Ascii(root.key));
    std::vector<std::string> tables, keys;
    for (const VersionNode& block : root.children)
        if (block.key == L"StringFileInfo")
            for (const VersionNode& table : block.children) {
                tables.push_back(Ascii(table.key));
                for (const VersionNode& string : table.children)
                    keys.push_back(Ascii(string.key));
            }
    EXPECT_EQ(std::vector<std::string>{"000004b0"}, tables) << "string tables";
    std::sort(keys.begin(), keys.end());
    std::vector<std::string> expectedKeys = {"CompanyName",  "FileDescription", "FileVersion",
                                             "InternalName", "LegalCopyright",  "OriginalFilename",
                                             "ProductName",  "ProductVersion"};
    EXPECT_EQ(expectedKeys, keys) << "string names";
}

// ---------------------------------------------------------------- icon

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ProductResources, ClassIconIsOneGroupOfTwo32By32Images)
{
    // No "SMALL" group, no icon of the system exclamation icon's number 32515.
    std::set<std::string> expectedGroups = {"QVIKONA"};
    EXPECT_EQ(expectedGroups, NamesOf(module_, (LPCSTR)RT_GROUP_ICON)) << "icon groups";
    std::set<std::string> images = NamesOf(module_, (LPCSTR)RT_ICON);
    EXPECT_EQ(2u, images.size()) << "icon images";
    EXPECT_EQ(0u, images.count("#32515"));

    std::vector<BYTE> group = ResourceCopy(module_, (LPCSTR)RT_GROUP_ICON, "QVIkona");
    ASSERT_FALSE(group.empty()) << "no icon group QVIkona";
    EXPECT_EQ(0, At<WORD>(group, 0)) << "group reserved word";
    EXPECT_EQ(1, At<WORD>(group, 2)) << "group type (1: icon)";
    ASSERT_EQ(2, At<WORD>(group, 4)) << "images in the group";
    ASSERT_EQ(6 + 2 * sizeof(GroupIconEntry), group.size());

    std::vector<GroupIconEntry> entries(2);
    memcpy(entries.data(), group.data() + 6, 2 * sizeof(GroupIconEntry));
    std::sort(entries.begin(), entries.end(), [](const GroupIconEntry& a, const GroupIconEntry& b) {
        return a.bitCount > b.bitCount;
    });

    // 16 colours, then monochrome; sizes are header, palette, colour and mask bits.
    struct Expected {
        const char* name;
        BYTE colours;
        WORD bits;
        DWORD bytes;
    } expected[2] = {{"16-colour image", 16, 4, 40 + 16 * 4 + 32 * 16 + 32 * 4},
                     {"monochrome image", 2, 1, 40 + 2 * 4 + 32 * 4 + 32 * 4}};
    for (int i = 0; i < 2; i++) {
        const GroupIconEntry& entry = entries[i];
        std::string where =
            std::string(expected[i].name) + " (icon " + std::to_string(entry.id) + ")";
        EXPECT_EQ(32, entry.width) << where;
        EXPECT_EQ(32, entry.height) << where;
        EXPECT_EQ(expected[i].colours, entry.colorCount) << where << " colour count";
        EXPECT_EQ(1, entry.planes) << where << " planes";
        EXPECT_EQ(expected[i].bits, entry.bitCount) << where << " bit count";
        EXPECT_EQ(1u, images.count("#" + std::to_string(entry.id)))
            << where << " is not an RT_ICON";

        std::vector<BYTE> image =
            ResourceCopy(module_, (LPCSTR)RT_ICON, MAKEINTRESOURCEA(entry.id));
        ASSERT_FALSE(image.empty()) << where << " missing";
        EXPECT_EQ(entry.bytesInRes, image.size()) << where << " size in the group";
        EXPECT_EQ(expected[i].bytes, image.size()) << where << " size";
        BITMAPINFOHEADER header = At<BITMAPINFOHEADER>(image, 0);
        EXPECT_EQ(40u, header.biSize) << where;
        EXPECT_EQ(32, header.biWidth) << where;
        EXPECT_EQ(64, header.biHeight) << where << " (colour and mask bits)";
        EXPECT_EQ(1, header.biPlanes) << where;
        EXPECT_EQ(expected[i].bits, header.biBitCount) << where;
        EXPECT_EQ((DWORD)BI_RGB, header.biCompression) << where;
    }
}

TEST_F(ProductResources, ProgramHasNoAcceleratorTable)
{
    std::set<ULONG_PTR> types;
    EnumResourceTypesA(module_, CollectType, (LONG_PTR)&types);
    EXPECT_EQ(0u, types.count((ULONG_PTR)RT_ACCELERATOR));
}

// ---------------------------------------------------------------- backdrop tile

TEST_F(ProductResources, BackdropTileIs41By59In16ColoursMostlyBlue)
{
    std::vector<BYTE> tile = ResourceCopy(module_, (LPCSTR)RT_BITMAP, "Slika");
    ASSERT_FALSE(tile.empty()) << "no bitmap Slika";
    ASSERT_EQ(1520u, tile.size()) << "40-byte header, 64-byte palette, 1416 bytes of pixels";

    BITMAPINFOHEADER header = At<BITMAPINFOHEADER>(tile, 0);
    EXPECT_EQ(40u, header.biSize);
    EXPECT_EQ(41, header.biWidth);
    EXPECT_EQ(59, header.biHeight) << "positive: rows stored bottom-up";
    EXPECT_EQ(1, header.biPlanes);
    EXPECT_EQ(4, header.biBitCount);
    EXPECT_EQ((DWORD)BI_RGB, header.biCompression);
    EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16) << header.biClrUsed;
    EXPECT_TRUE(header.biSizeImage == 0 || header.biSizeImage == 1416) << header.biSizeImage;

    // The standard 16 colours at half intensity 191; the two greys are left out.
    const RGBQUAD* palette = (const RGBQUAD*)(tile.data() + 40);
    const struct {
        int index;
        BYTE red, green, blue;
    } standard[] = {{0, 0, 0, 0},      {1, 191, 0, 0},     {2, 0, 191, 0},   {3, 191, 191, 0},
                    {4, 0, 0, 191},    {5, 191, 0, 191},   {6, 0, 191, 191}, {9, 255, 0, 0},
                    {10, 0, 255, 0},   {11, 255, 255, 0},  {12, 0, 0, 255},  {13, 255, 0, 255},
                    {14, 0, 255, 255}, {15, 255, 255, 255}};
    for (const auto& colour : standard) {
        const RGBQUAD& entry = palette[colour.index];
        EXPECT_TRUE(entry.rgbRed == colour.red && entry.rgbGreen == colour.green &&
                    entry.rgbBlue == colour.blue)
            << "palette entry " << colour.index << ": expected " << (int)colour.red << ","
            << (int)colour.green << "," << (int)colour.blue << ", got " << (int)entry.rgbRed << ","
            << (int)entry.rgbGreen << "," << (int)entry.rgbBlue;
    }

    // Blue, with a pattern in cyan and dark blue, and nothing else.
    const BYTE* pixels = tile.data() + 40 + 64;
    const int STRIDE = 24;
    int blue = 0, pattern = 0, other = 0;
    for (int row = 0; row < 59; row++)
        for (int column = 0; column < 41; column++) {
            BYTE pair = pixels[row * STRIDE + column / 2];
            const RGBQUAD& colour = palette[column % 2 ? pair & 0x0F : pair >> 4];
            if (colour.rgbRed != 0)
                other++;
            else if (colour.rgbGreen == 0 && colour.rgbBlue == 255)
                blue++;
            else if ((colour.rgbGreen == 191 && colour.rgbBlue == 191) ||
                     (colour.rgbGreen == 0 && colour.rgbBlue == 191))
                pattern++;
            else
                other++;
        }
    EXPECT_GT(blue, 41 * 59 / 2) << "pure blue pixels";
    EXPECT_GT(pattern, 0) << "cyan and dark blue pixels";
    EXPECT_EQ(0, other) << "pixels neither blue, cyan nor dark blue";
}

}  // namespace
