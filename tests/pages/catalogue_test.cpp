// The sixteen page templates of the shipped 32-bit Setup.exe, read back from
// the file and held against the page catalogue, which is written out here a
// second time on purpose: a slip in a resource script shows up as a difference.

#include <windows.h>

#include <gtest/gtest.h>

#include "support/build_files.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- the catalogue

enum Kind { DEFAULT_PUSH, PUSH, RADIO, CHECK, TEXT, RIGHT_TEXT, ICON, DROP_DOWN, EDIT, PROGRESS };

struct KindTraits {
    const char* name;
    WORD classOrdinal;  // 0 when the class is named by a string
    const wchar_t* className;
    DWORD style;
};

const DWORD SHOWN_CHILD = WS_CHILD | WS_VISIBLE;

KindTraits TraitsOf(Kind kind)
{
    switch (kind) {
    case DEFAULT_PUSH:
        return {"default push button", 0x80, NULL, SHOWN_CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP};
    case PUSH:
        return {"push button", 0x80, NULL, SHOWN_CHILD | BS_PUSHBUTTON | WS_TABSTOP};
    case RADIO:
        return {"auto radio button", 0x80, NULL, SHOWN_CHILD | BS_AUTORADIOBUTTON};
    case CHECK:
        return {"auto check box", 0x80, NULL, SHOWN_CHILD | BS_AUTOCHECKBOX | WS_TABSTOP};
    case TEXT:
        return {"text", 0x82, NULL, SHOWN_CHILD | SS_LEFT | WS_GROUP};
    case RIGHT_TEXT:
        return {"right-aligned text", 0x82, NULL, SHOWN_CHILD | SS_RIGHT | WS_GROUP};
    case ICON:
        return {"icon", 0x82, NULL, SHOWN_CHILD | SS_ICON};
    case DROP_DOWN:
        return {"drop-down list", 0x85, NULL,
                SHOWN_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case EDIT:
        return {"edit", 0x81, NULL,
                SHOWN_CHILD | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case PROGRESS:
        return {"progress bar", 0, L"msctls_progress32", SHOWN_CHILD | WS_BORDER};
    }
    return {"?", 0, NULL, 0};
}

const DWORD FRAME_A = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
const DWORD FRAME_B = FRAME_A | DS_3DLOOK;
const DWORD FRAME_C = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

// The system's exclamation icon, named by number in the icon control.
const WORD EXCLAMATION_ICON = 32515;

struct Rect {
    int x, y, w, h;
};

// A null text is the maker's copyright notice, whose wording is the
// implementer's: it must be there and carry the year.
const wchar_t* const COPYRIGHT_NOTICE = NULL;

struct Control {
    Kind kind;
    int id;
    Rect rect;
    const wchar_t* english;
    const wchar_t* serbian;
    Rect serbianRect = {0, 0, 0, 0};  // width 0: as in English
};

struct Page {
    const char* name;
    int id;
    const wchar_t* english;
    const wchar_t* serbian;
    int cx, cy;
    DWORD frame;
    std::vector<Control> controls;
};

// One line per control, in the catalogue's order.
// clang-format off
const Page PAGES[] = {
    {"Welcome", 102, L"Welcome", L"Dobrodošli", 249, 201, FRAME_A, {
        {DEFAULT_PUSH, IDOK, {119, 180, 50, 14}, L"OK", L"OK"},
        {PUSH, IDCANCEL, {192, 180, 50, 14}, L"Exit Setup", L"Prekid"},
        {TEXT, -1, {7, 7, 235, 50},
         L"Welcome to the Velmora Setup Program. This program will install Velmora on your "
         L"computer.\n\nIt is strongly recommended that you exit all Windows Applications before "
         L"running this Setup program.",
         L"Dobrodošli u instalaciju alatki za proveru teksta na srpskom jeziku. Ovaj program ce "
         L"instalirati alatke za proveru teksta na srpskom jeziku na vaš racunar.\n\n"
         L"Preporucujemo da zatvorite sve Windows aplikacije pre nego što nastavite sa "
         L"instalacijom."},
        {TEXT, -1, {7, 60, 235, 27},
         L"Click Exit Setup to quit Setup and then close any applications you have running.",
         L"Kliknite na dugme \"Prekid instalacije\" da biste prekinuli instalaciju i zatvorili "
         L"aplikacije koje trenutno rade."},
        {TEXT, -1, {7, 101, 235, 27}, L"", L""},
        {TEXT, -1, {7, 132, 235, 36}, L"", L""},
    }},
    {"SetupLanguage", 103, L"Setup language", L"Jezik instalacije", 183, 92, FRAME_B, {
        {DEFAULT_PUSH, IDOK, {65, 71, 50, 14}, L"OK", L"OK"},
        {PUSH, IDCANCEL, {126, 71, 50, 14}, L"Exit Setup", L"Prekid"},
        {RADIO, 1000, {20, 15, 135, 10}, L"Read Setup Instruction in &English",
         L"Read Setup Instruction in &English", {20, 15, 144, 10}},
        {RADIO, 1001, {20, 36, 135, 10}, L"Read Setup Instructions in Serbian",
         L"Procitajte instrukcije na srpskom jeziku", {20, 36, 144, 10}},
    }},
    {"InstallationOptions", 104, L"Installation Options", L"Instalacione opcije", 251, 185,
     FRAME_B, {
        {DEFAULT_PUSH, IDOK, {32, 44, 57, 14}, L"Install", L"Instaliraj", {27, 44, 63, 14}},
        {PUSH, IDCANCEL, {194, 164, 50, 14}, L"Exit Setup", L"Prekid"},
        {PUSH, 1002, {32, 70, 57, 14}, L"&Remove", L"&Izbaci", {27, 70, 63, 14}},
        {PUSH, 1003, {32, 94, 57, 14}, L"&Change Default", L"&Promeni vrednosti", {27, 94, 63, 14}},
        {TEXT, -1, {7, 7, 237, 25},
         L"This program allows you to make changes to the current installation",
         L"Ovaj program vam dopušta da napravite izmene na sadašnjoj instalaciji"},
        {TEXT, -1, {100, 43, 144, 19}, L"Install Serbian Spell Checker and/or Hyphenator.",
         L"Instaliraj alatke za proveru reci srpskog jezika i/ili podelu reci na slogove."},
        {TEXT, -1, {100, 68, 144, 18}, L"Removes previously installed components.",
         L"Izbacuje prethodno instalirane komponente."},
        {TEXT, -1, {100, 95, 144, 21},
         L"Changes default Proofing Tool language in all applications.",
         L"Menja osnovni jezik za pisanje u svim aplikacijama."},
        {TEXT, -1, {7, 131, 237, 19}, COPYRIGHT_NOTICE, COPYRIGHT_NOTICE},
    }},
    {"SelectTools", 105, L"Select Tools", L"Izaberite alate", 233, 149, FRAME_B, {
        {DEFAULT_PUSH, IDOK, {113, 128, 50, 14}, L"OK", L"OK"},
        {PUSH, IDCANCEL, {176, 128, 50, 14}, L"Exit Setup", L"Prekid"},
        {TEXT, -1, {7, 7, 219, 32},
         L"Select the Proofing Tools you wish to install. Please note that Microsoft Word is the "
         L"only application that can use Speller and Hyphenator.",
         L"Izaberite alatke za proveru teksta koje zelite da koristite. Pri tom jedino Microsoft "
         L"Word moze da koristi i program za proveru reci i program za podelu reci na slogove."},
        {CHECK, 1004, {24, 44, 64, 10}, L"&Speller", L"Program za proveru &reci",
         {24, 44, 141, 10}},
        {CHECK, 1005, {24, 62, 64, 10}, L"&Hyphenator", L"Program za podelu reci na &slogove",
         {24, 62, 141, 10}},
        {TEXT, -1, {7, 88, 143, 8}, L"Space required for installation",
         L"Prostor potreban za instalaciju"},
        {TEXT, -1, {7, 106, 143, 8}, L"Total space available", L"Ukupan prostor na raspolaganju"},
        {RIGHT_TEXT, 1006, {150, 88, 50, 8}, L"199KB", L"199KB"},
        {RIGHT_TEXT, 1007, {150, 106, 50, 8}, L"100000KB", L"100000KB"},
    }},
    {"DefaultLanguage", 106, L"Set Default Language", L"Izaberite osnovni jezik za pisanje", 231,
     206, FRAME_B, {
        {DEFAULT_PUSH, IDOK, {109, 185, 50, 14}, L"OK", L"OK"},
        {PUSH, IDCANCEL, {174, 185, 50, 14}, L"Exit Setup", L"Prekid"},
        {TEXT, -1, {7, 7, 217, 26},
         L"Set the default Proofing Tool language you wish to have in each application by "
         L"clicking on the drop down menu.",
         L"Postavite osnovni jezik za pisanje u svakoj od aplikacija tako što cete kliknuti na "
         L"padajuci meni."},
        {TEXT, -1, {7, 35, 217, 30},
         L"The language which is currently displayed in the drop down menu is the default "
         L"language. The applications which are not installed on your machine have their drop "
         L"down menu disabled.",
         L"Jezik koji je trenutno prikazan u padajucem meniju je osnovni jezik za pisanje. Za "
         L"aplikacije koje nisu instalirane na vašem racunaru padajuci meni je iskljucen."},
        {TEXT, -1, {23, 74, 45, 8}, L"&Word", L"&Word"},
        {DROP_DOWN, 1009, {76, 70, 124, 60}, L"", L""},
        {TEXT, -1, {23, 92, 45, 8}, L"&Excel", L"&Excel"},
        {DROP_DOWN, 1010, {76, 90, 124, 60}, L"", L""},
        {TEXT, -1, {23, 113, 45, 8}, L"&PowerPoint", L"&PowerPoint"},
        {DROP_DOWN, 1011, {76, 111, 124, 60}, L"", L""},
        {TEXT, -1, {23, 134, 45, 8}, L"&Access", L"&Access"},
        {DROP_DOWN, 1012, {76, 133, 124, 60}, L"", L""},
        {TEXT, -1, {23, 157, 45, 8}, L"&Outlook", L"&Outlook"},
        {DROP_DOWN, 1013, {76, 155, 124, 60}, L"", L""},
    }},
    {"FileDestination", 107, L"File Destination", L"Odredište za datoteke", 235, 114, FRAME_C, {
        {DEFAULT_PUSH, IDOK, {120, 93, 50, 14}, L"OK", L"OK"},
        {PUSH, IDCANCEL, {178, 93, 50, 14}, L"Exit Setup", L"Prekid"},
        {TEXT, -1, {7, 7, 221, 43},
         L"Setup will install the Velmora in the following location.\n\nTo install in the "
         L"default directory, click OK.",
         L"Instalacioni program ce prekopirati alatke za proveru teksta na srpskom jeziku na "
         L"sledecu lokaciju.\n\nDa bi se izvršila instalacija u predvideni direktorijum, "
         L"kliknite na OK."},
        {EDIT, 1014, {7, 62, 221, 14}, L"", L""},
    }},
    {"Progress", 108, L"Installation", L"Instalacija", 247, 90, FRAME_B, {
        {TEXT, -1, {7, 7, 133, 8}, L"Installation in Progress", L"Instalacija je u toku"},
        {TEXT, 1015, {6, 31, 234, 8}, L"c:\\xxx", L"c:\\xxx"},
        {PROGRESS, 1016, {7, 55, 233, 14}, L"Progress1", L"Progress1"},
    }},
    {"ApplicationsDetected", 109, L"Applications Detected!", L"Aplikacije detektovane!", 183, 68,
     FRAME_B, {
        {DEFAULT_PUSH, IDCANCEL, {66, 47, 50, 14}, L"Exit setup", L"Prekid"},
        {TEXT, -1, {36, 7, 140, 33},
         L"Setup has determined that other applications are running. We recommend that you close "
         L"any open applications before continuing.",
         L"Instalacioni program je utvrdio da se i druge aplikacije izvršavaju. Preporucujemo da "
         L"zatvorite sve otvorene aplikacije pre nego što nastavite."},
        {ICON, -1, {7, 7, 18, 20}, L"", L""},
    }},
};
// clang-format on

// Names the page in a failing test's parameter line.
void PrintTo(const Page& page, std::ostream* out)
{
    *out << page.name << " (" << page.id << ")";
}

const int SERBIAN_OFFSET = 100;
const LANGID ENGLISH_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID NEUTRAL = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

// ---------------------------------------------------------------- the product file

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found)
{
    ((std::vector<LANGID>*)found)->push_back(language);
    return TRUE;
}

std::vector<LANGID> LanguagesOf(HMODULE module, int id)
{
    std::vector<LANGID> found;
    EnumResourceLanguagesW(module, (LPCWSTR)RT_DIALOG, MAKEINTRESOURCEW(id), CollectLanguage,
                           (LONG_PTR)&found);
    return found;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found)
{
    // Named (string) templates would be a mistake too; mark them apart.
    ((std::set<int>*)found)->insert(IS_INTRESOURCE(name) ? (int)(ULONG_PTR)name : -1);
    return TRUE;
}

std::vector<BYTE> TemplateBytes(HMODULE module, int id, LANGID language)
{
    HRSRC found = FindResourceExA(module, (LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(id), language);
    if (!found)
        return {};
    const BYTE* data = (const BYTE*)LockResource(LoadResource(module, found));
    DWORD size = SizeofResource(module, found);
    return data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
}

// ---------------------------------------------------------------- the template format

struct NameOrOrdinal {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::wstring text;
};

struct Item {
    DWORD style = 0, exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    NameOrOrdinal windowClass, title;
    WORD creationData = 0;
};

struct Template {
    DWORD style = 0, exStyle = 0;
    WORD count = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu, windowClass;
    std::wstring title;
    WORD pointSize = 0;
    std::wstring face;
    std::vector<Item> items;
    size_t end = 0;
    std::string error;
};

class Reader {
public:
    Reader(const std::vector<BYTE>& bytes) : bytes_(bytes) {}

    bool Overrun() const { return overrun_; }
    size_t Position() const { return pos_; }
    void AlignToDword() { pos_ = (pos_ + 3) & ~(size_t)3; }

    WORD Word()
    {
        if (pos_ + 2 > bytes_.size()) {
            overrun_ = true;
            return 0;
        }
        WORD value = (WORD)(bytes_[pos_] | bytes_[pos_ + 1] << 8);
        pos_ += 2;
        return value;
    }
    DWORD Dword()
    {
        DWORD low = Word();
        return low | (DWORD)Word() << 16;
    }
    short Short() { return (short)Word(); }
    std::wstring String()
    {
        std::wstring text;
        for (WORD c = Word(); c != 0 && !overrun_; c = Word())
            text += (wchar_t)c;
        return text;
    }
    NameOrOrdinal Name()
    {
        NameOrOrdinal name;
        WORD first = Word();
        if (first == 0xFFFF) {
            name.isOrdinal = true;
            name.ordinal = Word();
        } else if (first != 0) {
            name.text = (wchar_t)first;
            name.text += String();
        }
        return name;
    }

private:
    const std::vector<BYTE>& bytes_;
    size_t pos_ = 0;
    bool overrun_ = false;
};

// The classic DLGTEMPLATE layout; the extended one is reported, not read.
Template Parse(const std::vector<BYTE>& bytes)
{
    Template t;
    Reader in(bytes);
    t.style = in.Dword();
    if (t.style == 0xFFFF0001) {
        t.error = "an extended template (DLGTEMPLATEEX), not a classic one";
        return t;
    }
    t.exStyle = in.Dword();
    t.count = in.Word();
    t.x = in.Short();
    t.y = in.Short();
    t.cx = in.Short();
    t.cy = in.Short();
    t.menu = in.Name();
    t.windowClass = in.Name();
    t.title = in.String();
    if (t.style & DS_SETFONT) {
        t.pointSize = in.Word();
        t.face = in.String();
    }
    for (int i = 0; i < t.count && !in.Overrun(); i++) {
        in.AlignToDword();
        Item item;
        item.style = in.Dword();
        item.exStyle = in.Dword();
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = in.Word();
        item.windowClass = in.Name();
        item.title = in.Name();
        item.creationData = in.Word();
        t.items.push_back(item);
    }
    if (in.Overrun())
        t.error = "the template ends in the middle of its data";
    t.end = in.Position();
    return t;
}

// ---------------------------------------------------------------- comparing

// Wine prints ASCII only: everything else is shown as \uXXXX.
std::string Printable(const std::wstring& text)
{
    std::string out = "\"";
    for (wchar_t c : text) {
        if (c == L'\n')
            out += "\\n";
        else if (c == L'"' || c == L'\\')
            out += std::string("\\") + (char)c;
        else if (c >= 0x20 && c < 0x7F)
            out += (char)c;
        else {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04X", (unsigned)c);
            out += escaped;
        }
    }
    return out + "\"";
}

std::string Printable(const NameOrOrdinal& name)
{
    return name.isOrdinal ? "ordinal " + std::to_string(name.ordinal) : Printable(name.text);
}

std::string Hex(DWORD value)
{
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", (unsigned long)value);
    return text;
}

void ExpectNumber(const std::string& where, const char* field, long expected, long actual)
{
    if (expected != actual)
        ADD_FAILURE() << where << " " << field << ": expected " << expected << ", got " << actual;
}

void ExpectFlags(const std::string& where, const char* field, DWORD expected, DWORD actual)
{
    if (expected != actual)
        ADD_FAILURE() << where << " " << field << ": expected " << Hex(expected) << ", got "
                      << Hex(actual) << " (differing bits " << Hex(expected ^ actual) << ")";
}

void ExpectString(const std::string& where, const char* field, const std::wstring& expected,
                  const NameOrOrdinal& actual)
{
    if (actual.isOrdinal || actual.text != expected)
        ADD_FAILURE() << where << " " << field << ": expected " << Printable(expected) << ", got "
                      << Printable(actual);
}

void ExpectOrdinal(const std::string& where, const char* field, WORD expected,
                   const NameOrOrdinal& actual)
{
    if (!actual.isOrdinal || actual.ordinal != expected)
        ADD_FAILURE() << where << " " << field << ": expected ordinal " << expected << ", got "
                      << Printable(actual);
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = (wchar_t)towlower(c);
    return text;
}

void ExpectCopyrightNotice(const std::string& where, const NameOrOrdinal& actual, bool serbian)
{
    if (actual.isOrdinal || actual.text.empty() || actual.text.find(L"1997") == std::wstring::npos)
        ADD_FAILURE() << where
                      << " text: expected the maker's copyright notice with the year 1997, got "
                      << Printable(actual);
    // The Serbian page texts keep the caron of s only; c, d and z go without marks.
    if (serbian && actual.text.find_first_of(L"čćđžČĆĐŽ") != std::wstring::npos)
        ADD_FAILURE() << where << " text: a Serbian letter that the page texts write without "
                      << "its mark: " << Printable(actual.text);
}

void ExpectControl(const std::string& where, const Control& expected, bool serbian,
                   const Item& actual)
{
    KindTraits traits = TraitsOf(expected.kind);
    const Rect& rect =
        serbian && expected.serbianRect.w != 0 ? expected.serbianRect : expected.rect;
    ExpectFlags(where, (std::string("style (") + traits.name + ")").c_str(), traits.style,
                actual.style);
    ExpectFlags(where, "extended style", 0, actual.exStyle);
    ExpectNumber(where, "x", rect.x, actual.x);
    ExpectNumber(where, "y", rect.y, actual.y);
    ExpectNumber(where, "width", rect.w, actual.cx);
    ExpectNumber(where, "height", rect.h, actual.cy);
    ExpectNumber(where, "id", (WORD)expected.id, actual.id);
    if (traits.className) {
        if (actual.windowClass.isOrdinal ||
            Lower(actual.windowClass.text) != Lower(traits.className))
            ADD_FAILURE() << where << " class: expected " << Printable(traits.className)
                          << " (any case), got " << Printable(actual.windowClass);
    } else {
        ExpectOrdinal(where, "class", traits.classOrdinal, actual.windowClass);
    }
    const wchar_t* text = serbian ? expected.serbian : expected.english;
    if (expected.kind == ICON)
        ExpectOrdinal(where, "icon", EXCLAMATION_ICON, actual.title);
    else if (text == COPYRIGHT_NOTICE)
        ExpectCopyrightNotice(where, actual.title, serbian);
    else
        ExpectString(where, "text", text, actual.title);
    ExpectNumber(where, "creation data size", 0, actual.creationData);
}

void ExpectTemplate(const Page& page, bool serbian, const std::vector<BYTE>& bytes)
{
    int id = page.id + (serbian ? SERBIAN_OFFSET : 0);
    std::string where = "template " + std::to_string(id);
    Template t = Parse(bytes);
    ASSERT_EQ("", t.error) << where;

    ExpectFlags(where, "style", page.frame, t.style);
    ExpectFlags(where, "extended style", 0, t.exStyle);
    ExpectNumber(where, "x", 0, t.x);
    ExpectNumber(where, "y", 0, t.y);
    ExpectNumber(where, "width", page.cx, t.cx);
    ExpectNumber(where, "height", page.cy, t.cy);
    ExpectString(where, "menu", L"", t.menu);
    ExpectString(where, "class", L"", t.windowClass);
    NameOrOrdinal title;
    title.text = t.title;
    ExpectString(where, "title", serbian ? page.serbian : page.english, title);
    ExpectNumber(where, "font size", 8, t.pointSize);
    NameOrOrdinal face;
    face.text = t.face;
    ExpectString(where, "font", L"MS Sans Serif", face);

    ExpectNumber(where, "control count", (long)page.controls.size(), t.count);
    for (size_t i = 0; i < page.controls.size() && i < t.items.size(); i++) {
        const Control& control = page.controls[i];
        ExpectControl(where + " control " + std::to_string(i) + " (id " +
                          std::to_string(control.id) + ")",
                      control, serbian, t.items[i]);
    }
    // Nothing after the last control but the padding to a DWORD boundary.
    EXPECT_LT(bytes.size() - t.end, 4u)
        << where << ": " << bytes.size() - t.end << " bytes follow the last control";
}

class CatalogueProduct : public ShippedProductTest {};

class CataloguePage : public CatalogueProduct, public ::testing::WithParamInterface<Page> {};

TEST_P(CataloguePage, BothLanguagesMatchTheCatalogue)
{
    const Page& page = GetParam();
    const int serbianId = page.id + SERBIAN_OFFSET;

    // Each template under exactly one language: English (US) or neutral.
    EXPECT_EQ(std::vector<LANGID>{ENGLISH_US}, LanguagesOf(module_, page.id))
        << "languages of template " << page.id;
    EXPECT_EQ(std::vector<LANGID>{NEUTRAL}, LanguagesOf(module_, serbianId))
        << "languages of template " << serbianId;

    std::vector<BYTE> english = TemplateBytes(module_, page.id, ENGLISH_US);
    std::vector<BYTE> serbian = TemplateBytes(module_, serbianId, NEUTRAL);
    if (english.empty())
        ADD_FAILURE() << "template " << page.id << " not found in English (US)";
    else
        ExpectTemplate(page, false, english);
    if (serbian.empty())
        ADD_FAILURE() << "template " << serbianId << " not found in the neutral language";
    else
        ExpectTemplate(page, true, serbian);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CataloguePage, ::testing::ValuesIn(PAGES),
                         [](const ::testing::TestParamInfo<Page>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(CatalogueProduct, HoldsTheSixteenTemplatesAndNoOthers)
{
    std::set<int> expected;
    for (const Page& page : PAGES) {
        expected.insert(page.id);
        expected.insert(page.id + SERBIAN_OFFSET);
    }
    std::set<int> found;
    EnumResourceNamesW(module_, (LPCWSTR)RT_DIALOG, CollectName, (LONG_PTR)&found);
    EXPECT_EQ(expected, found) << "dialog template ids (-1: a template named by a string)";
}

}  // namespace
