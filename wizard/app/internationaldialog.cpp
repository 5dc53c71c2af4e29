#include "wizard/app/internationaldialog.h"

#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"
#include "wizard/engine/pagedata.h"

namespace {

constexpr UINT kTitle = 30292, kWyseCodePageCaption = 30239;
constexpr UINT kMultinational = 1411, kNational = 1412;
constexpr UINT kFirstAnsiPage = 1594, kFirstWysePage = 2752, kFirstAsciiFont = 2767;
constexpr int kAnsiPages = 5, kWysePages = 11, kAsciiFonts = 2;
constexpr int kMaxFonts = 32;
constexpr u32 kWy60 = 15;
// The 5250 display variables the dialog edits (kDisplayVariables).
constexpr int kKeyboardTypeVariable = 6, kCodePageVariable = 7, kCharsetVariable = 8;
constexpr int kKeyboardTypeChars = 3, kIbmTextChars = 5;

constexpr int kCharacterControls[] = {IDC_CHARSET_MODE, IDC_PREFERRED_SET, IDC_ANSI_CODE_PAGE};
constexpr int kIbmControls[] = {IDC_KBDTYPE,      IDC_SBCS_GROUP, IDC_SBCS_CODE_PAGE, IDC_SBCS_CHARSET,
                                IDC_SBCS_CCSID,   IDC_APL2_GROUP, IDC_APL2_ALLOW,     IDC_APL2_CODE_PAGE,
                                IDC_APL2_CHARSET, IDC_APL2_CCSID};
constexpr int kApl2Controls[] = {IDC_APL2_GROUP, IDC_APL2_ALLOW, IDC_APL2_CODE_PAGE, IDC_APL2_CHARSET,
                                 IDC_APL2_CCSID};
constexpr int kCaptioned[] = {IDC_CHARSET_MODE,   IDC_PREFERRED_SET,  IDC_ANSI_CODE_PAGE, IDC_ASCII_FONT,
                              IDC_PREFERRED_FONT, IDC_KBDTYPE,        IDC_SBCS_CODE_PAGE, IDC_SBCS_CHARSET,
                              IDC_SBCS_CCSID,     IDC_APL2_CODE_PAGE, IDC_APL2_CHARSET,   IDC_APL2_CCSID};

bool Captioned(int id)
{
    return id != IDC_SBCS_GROUP && id != IDC_APL2_GROUP && id != IDC_APL2_ALLOW;
}

// The keyboard layout's language, as the system names the layout in use.
LayoutLanguage KeyboardLanguage()
{
    wchar_t name[KL_NAMELENGTH] = {};
    if (!GetKeyboardLayoutNameW(name))
        return LanguageOfLayoutName(nullptr);
    const WText text(name, name + lstrlenW(name));
    return LanguageOfLayoutName(text.c_str());
}

struct FontSearch {
    std::vector<std::wstring>* names;
    bool fixedOnly;
};

int CALLBACK CollectFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM context)
{
    auto* search = reinterpret_cast<FontSearch*>(context);
    if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == L'@')
        return 1;
    if (search->fixedOnly && (font->lfPitchAndFamily & 3) != FIXED_PITCH)
        return 1;
    for (const std::wstring& known : *search->names)
        if (known == font->lfFaceName)
            return 1;
    search->names->push_back(font->lfFaceName);
    return static_cast<int>(search->names->size()) < kMaxFonts;
}

std::wstring Decimal(u32 n)
{
    return std::to_wstring(n);
}

// The code pages of one directory's conversion files (none when it holds no file).
std::vector<u32> PagesIn(const std::wstring& directory, bool* anyFile)
{
    std::vector<u32> lists[2];
    const wchar_t* const kPatterns[2] = {L"IBM*.S2U", L"IBM*.U2S"};
    for (int k = 0; k < 2; ++k) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((directory + kPatterns[k]).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            *anyFile = true;
            const std::wstring name = found.cFileName;
            const i32 page = CodePageOfFileName(WText(name.begin(), name.end()));
            if (page >= 0)
                lists[k].push_back(static_cast<u32>(page));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return CodePagesWithBothFiles(lists[0], lists[1]);
}

std::wstring WorkingDirectory()
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorlan\\vexaNT", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        wchar_t dir[261] = {};
        DWORD size = 260 * sizeof(wchar_t), type = 0;
        const bool read = RegQueryValueExW(key, L"WorkDir", nullptr, &type, reinterpret_cast<BYTE*>(dir), &size) ==
                              ERROR_SUCCESS &&
                          type == REG_SZ && dir[0];
        RegCloseKey(key);
        if (read) {
            std::wstring d = dir;
            return d.back() == L'\\' ? d : d + L'\\';
        }
    }
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleFileNameW(nullptr, path, MAX_PATH))
        return L"\\";
    const std::wstring own = path;
    const std::size_t cut = own.rfind(L'\\');
    return cut == std::wstring::npos ? L"\\" : own.substr(0, cut + 1);
}

}  // namespace

std::vector<u32> ListConversionCodePages()
{
    const std::wstring directory = WorkingDirectory();
    bool anyFile = false;
    std::vector<u32> pages = PagesIn(directory, &anyFile);
    if (anyFile)
        return pages;
    // No file there: the first subdirectory that yields a code page.
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return pages;
    do {
        const std::wstring name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..")
            continue;
        pages = PagesIn(directory + name + L"\\", &anyFile);
    } while (pages.empty() && FindNextFileW(search, &found));
    FindClose(search);
    return pages;
}

InternationalDialog::InternationalDialog() : WizardDialog(IDD_INTERNATIONAL) {}

BOOL InternationalDialog::OnInitDialog()
{
    copy_ = App().settings;
    emulation_ = copy_.number[kValueVdumode];
    place_ = NationalPlaceOf(emulation_);
    layout_ = KeyboardLanguage();
    const std::wstring name = emulation_ < kWizardEmulationCount ? Widen(kEmulationNames[emulation_]) : L"";
    SetWindowTextW(hwnd_, WizardFormatString(kTitle, name).c_str());
    for (int id : kCaptioned)
        SetControlText(id + kNationalLabelOffset, static_cast<UINT>(id));
    SetControlText(IDC_APL2_ALLOW);
    Limit(IDC_KBDTYPE, kKeyboardTypeChars);
    Limit(IDC_SBCS_CHARSET, kIbmTextChars);
    Limit(IDC_SBCS_CCSID, kIbmTextChars);
    SendDlgItemMessageW(hwnd_, IDC_SBCS_CODE_PAGE, CB_LIMITTEXT, kIbmTextChars, 0);

    const bool ibm = place_.kind == NationalKind::Ibm3270 || place_.kind == NationalKind::Ibm5250;
    if (ibm) {
        const u32 stored = copy_.number[place_.kind == NationalKind::Ibm3270 ? kValueIbmLang : kValueI52Lang];
        row_ = stored ? stored : layout_.row;
    }
    if (place_.font < kWizardValueCount)
        font_ = static_cast<i32>(copy_.number[place_.font]);
    if (place_.kind == NationalKind::Hp) {
        const u32 stored = copy_.number[place_.set];
        set_ = stored == 0 ? kSetHpRoman8 : stored;
    } else if (place_.kind == NationalKind::Character) {
        const u32 stored = copy_.number[place_.set];
        set_ = stored == 0 ? SuggestedCharacterSet(layout_.row) : stored;
    }
    Arrange();
    FillLists();
    return TRUE;
}

// Which parts the emulation shows, and where.
void InternationalDialog::Arrange()
{
    const NationalKind kind = place_.kind;
    const bool ibm = kind == NationalKind::Ibm3270 || kind == NationalKind::Ibm5250;
    auto show = [this](int id, bool on) {
        Show(id, on);
        if (Captioned(id))
            Show(id + kNationalLabelOffset, on);
    };
    auto moveTo = [this](int id, int place) {
        RECT r;
        GetWindowRect(GetDlgItem(hwnd_, place), &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(GetDlgItem(hwnd_, id), nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    };
    for (int id : kCharacterControls)
        show(id, !ibm);
    for (int id : kIbmControls)
        show(id, ibm);
    show(IDC_CHARSET_MODE, !ibm && layout_.national);
    show(IDC_ASCII_FONT, kind == NationalKind::Wyse);
    if (ibm) {
        moveTo(IDC_PREFERRED_FONT, IDC_CHARSET_MODE);
        moveTo(IDC_PREFERRED_FONT + kNationalLabelOffset, IDC_CHARSET_MODE + kNationalLabelOffset);
    }
    if (kind == NationalKind::Hp)
        show(IDC_ANSI_CODE_PAGE, false);
    if (kind == NationalKind::Wyse) {
        show(IDC_PREFERRED_SET, false);
        SetControlText(IDC_ANSI_CODE_PAGE + kNationalLabelOffset, kWyseCodePageCaption);
        moveTo(IDC_ASCII_FONT, IDC_ANSI_CODE_PAGE);
        moveTo(IDC_ASCII_FONT + kNationalLabelOffset, IDC_ANSI_CODE_PAGE + kNationalLabelOffset);
        moveTo(IDC_ANSI_CODE_PAGE, IDC_PREFERRED_SET);
        moveTo(IDC_ANSI_CODE_PAGE + kNationalLabelOffset, IDC_PREFERRED_SET + kNationalLabelOffset);
        Enable(IDC_ASCII_FONT, emulation_ == kWy60);
        Enable(IDC_ASCII_FONT + kNationalLabelOffset, emulation_ == kWy60);
    }
    if (kind == NationalKind::Ibm3270) {
        // The APL2 set is shown for what it is but not offered.
        for (int id : kApl2Controls) {
            Enable(id, false);
            if (Captioned(id))
                Enable(id + kNationalLabelOffset, false);
        }
        show(IDC_KBDTYPE, false);
    } else if (kind == NationalKind::Ibm5250) {
        for (int id : kApl2Controls)
            show(id, false);
        show(IDC_SBCS_CCSID, false);
    }
}

void InternationalDialog::FillLists()
{
    filling_ = true;
    const NationalKind kind = place_.kind;
    for (int id : {IDC_PREFERRED_SET, IDC_ANSI_CODE_PAGE, IDC_ASCII_FONT})
        SendDlgItemMessageW(hwnd_, id, CB_RESETCONTENT, 0, 0);
    if (kind == NationalKind::Character || kind == NationalKind::Hp) {
        for (u32 set = 0; set < kSetCount; ++set) {
            if (set == kSetHpRoman8 && kind != NationalKind::Hp)
                continue;
            const std::wstring text = WizardLoadString(kFirstSetString + set);
            if (!text.empty())
                AddItem(IDC_PREFERRED_SET, text, set);
        }
        SelectData(IDC_PREFERRED_SET, set_);
    }
    const bool wyse = kind == NationalKind::Wyse;
    if (kind == NationalKind::Character || wyse) {
        const UINT first = wyse ? kFirstWysePage : kFirstAnsiPage;
        const int count = wyse ? kWysePages : kAnsiPages;
        for (int i = 0; i < count; ++i) {
            const std::wstring text = WizardLoadString(first + static_cast<UINT>(i));
            if (!text.empty())
                AddItem(IDC_ANSI_CODE_PAGE, text, i);
        }
        SelectData(IDC_ANSI_CODE_PAGE, copy_.number[place_.codePage]);
    }
    if (wyse) {
        for (int i = 0; i < kAsciiFonts; ++i) {
            const std::wstring text = WizardLoadString(kFirstAsciiFont + static_cast<UINT>(i));
            if (!text.empty())
                AddItem(IDC_ASCII_FONT, text, i);
        }
        SelectData(IDC_ASCII_FONT, copy_.number[kValueWyAsciiFont]);
    }
    if (kind == NationalKind::Ibm3270 || kind == NationalKind::Ibm5250)
        FillIbm();
    else
        SetChosen(set_);
    FillFonts();
    filling_ = false;
}

// The mode list: "Multinational" (1) and "National" (0), the stored kind selected.
void InternationalDialog::FillModes()
{
    SendDlgItemMessageW(hwnd_, IDC_CHARSET_MODE, CB_RESETCONTENT, 0, 0);
    AddItem(IDC_CHARSET_MODE, WizardLoadString(kMultinational), 1);
    AddItem(IDC_CHARSET_MODE, WizardLoadString(kNational), 0);
    SelectData(IDC_CHARSET_MODE, copy_.number[kValueMltnat] ? 1 : 0);
}

// A preferred set chosen: the sets that have no national variant are multinational only,
// and only "Ansi" has a code page.
void InternationalDialog::SetChosen(u32 set)
{
    set_ = set;
    const bool multinationalOnly = set >= kSetCyrillic;
    if (multinationalOnly)
        copy_.number[kValueMltnat] = 1;
    FillModes();
    Enable(IDC_CHARSET_MODE, !multinationalOnly);
    Enable(IDC_CHARSET_MODE + kNationalLabelOffset, !multinationalOnly);
    const bool codePage = CodePageEnabled(place_.kind, set);
    Enable(IDC_ANSI_CODE_PAGE, codePage);
    Enable(IDC_ANSI_CODE_PAGE + kNationalLabelOffset, codePage);
}

void InternationalDialog::FillFonts()
{
    u8 charset = 0;
    if (place_.kind == NationalKind::Ibm3270 || place_.kind == NationalKind::Ibm5250)
        charset = FontCharsetOfRow(row_);
    else if (place_.kind != NationalKind::Wyse)
        charset = FontCharsetOfSet(set_);
    fonts_.clear();
    HWND owner = GetParent(hwnd_) ? GetParent(hwnd_) : hwnd_;
    if (HDC dc = GetDC(owner)) {
        LOGFONTW wanted{};
        wanted.lfCharSet = charset;
        wanted.lfPitchAndFamily = FIXED_PITCH;
        FontSearch search{&fonts_, charset == ANSI_CHARSET};
        EnumFontFamiliesExW(dc, &wanted, CollectFont, reinterpret_cast<LPARAM>(&search), 0);
        ReleaseDC(owner, dc);
    }
    SendDlgItemMessageW(hwnd_, IDC_PREFERRED_FONT, CB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        AddItem(IDC_PREFERRED_FONT, fonts_[i], static_cast<LPARAM>(i));
    int shown = 0;
    if (font_ < 0) {
        for (std::size_t i = 0; i < fonts_.size(); ++i)
            if (fonts_[i] == L"Courier New")
                shown = static_cast<int>(i);
    } else if (font_ < static_cast<i32>(fonts_.size())) {
        shown = font_;
    } else if (font_ >= 0) {
        font_ = 0;
    }
    SendDlgItemMessageW(hwnd_, IDC_PREFERRED_FONT, CB_SETCURSEL, fonts_.empty() ? static_cast<WPARAM>(-1) : shown,
                        0);
}

void InternationalDialog::FillIbm()
{
    const NationalLanguage& language = NationalLanguageAt(row_);
    SendDlgItemMessageW(hwnd_, IDC_SBCS_CODE_PAGE, CB_RESETCONTENT, 0, 0);
    for (u32 page : ListConversionCodePages())
        AddItem(IDC_SBCS_CODE_PAGE, Decimal(page), page);
    std::wstring codePage, charset, ccsid;
    if (place_.kind == NationalKind::Ibm3270) {
        auto orDefault = [this](WizardValueId id, u32 fallback) {
            return Decimal(copy_.number[id] ? copy_.number[id] : fallback);
        };
        codePage = orDefault(kValueIbmCodePage, language.codePage3270);
        charset = orDefault(kValueIbmCodeSet, language.charset3270);
        ccsid = orDefault(kValueIbmCcsid, language.ccsid3270);
    } else {
        // The field shows the language's keyboard type, never the stored one.
        SetText(IDC_KBDTYPE, Widen(language.keyboardType));
        codePage = copy_.displayVariables[kCodePageVariable];
        charset = copy_.displayVariables[kCharsetVariable];
        i32 number = 0;
        if (codePage.empty() || !ReadDecimal(WText(codePage.begin(), codePage.end()), 0, number) || number == 0) {
            codePage = Decimal(language.codePage5250);
            charset = Decimal(language.charset5250);
        }
    }
    const LRESULT at = SendDlgItemMessageW(hwnd_, IDC_SBCS_CODE_PAGE, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(codePage.c_str()));
    SendDlgItemMessageW(hwnd_, IDC_SBCS_CODE_PAGE, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    // A code page without its files here stays in the field: OK must not erase it.
    if (at == CB_ERR)
        SetText(IDC_SBCS_CODE_PAGE, codePage);
    SetText(IDC_SBCS_CHARSET, charset);
    SetText(IDC_SBCS_CCSID, place_.kind == NationalKind::Ibm3270 ? ccsid : L"");
    for (int id : {IDC_APL2_CODE_PAGE, IDC_APL2_CHARSET, IDC_APL2_CCSID})
        SetText(id, L"");
}

void InternationalDialog::Defaults()
{
    const NationalKind kind = place_.kind;
    copy_.number[kValueMltnat] = 1;
    copy_.number[kValueKbdvers] = layout_.row;
    if (kind == NationalKind::Ibm3270 || kind == NationalKind::Ibm5250) {
        row_ = layout_.row;
        const NationalLanguage& language = NationalLanguageAt(row_);
        copy_.number[kind == NationalKind::Ibm3270 ? kValueIbmLang : kValueI52Lang] = row_;
        font_ = -1;
        if (kind == NationalKind::Ibm3270) {
            copy_.number[kValueIbmCodePage] = language.codePage3270;
            copy_.number[kValueIbmCodeSet] = language.charset3270;
            copy_.number[kValueIbmCcsid] = language.ccsid3270;
        } else {
            copy_.displayVariables[kCodePageVariable] = Widen(std::to_string(language.codePage5250).c_str());
            copy_.displayVariables[kCharsetVariable] = Widen(std::to_string(language.charset5250).c_str());
        }
    } else {
        font_ = 0;
        if (kind == NationalKind::Wyse) {
            copy_.number[kValueWyMultset] = 0;
            copy_.number[kValueWyAsciiFont] = 0;
        }
        set_ = kind == NationalKind::Hp ? kSetHpRoman8 : kSetDecMcs;
    }
    FillLists();
}

void InternationalDialog::Report()
{
    if (!filling_)
        SendMessageW(GetParent(hwnd_), WM_APP + 3, 1, 0);
}

void InternationalDialog::OnCommand(int id, int code)
{
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case IDC_CHARSET_MODE: copy_.number[kValueMltnat] = SelectedData(id, 1) ? 1 : 0; break;
        case IDC_PREFERRED_SET:
            filling_ = true;
            SetChosen(static_cast<u32>(SelectedData(id, set_)));
            FillFonts();
            filling_ = false;
            break;
        case IDC_ANSI_CODE_PAGE:
            if (place_.codePage < kWizardValueCount)
                copy_.number[place_.codePage] = static_cast<u32>(SelectedData(id, copy_.number[place_.codePage]));
            break;
        case IDC_ASCII_FONT: copy_.number[kValueWyAsciiFont] = static_cast<u32>(SelectedData(id, 0)); break;
        case IDC_PREFERRED_FONT: font_ = static_cast<i32>(SelectedData(id, font_)); break;
        default: return;
        }
        Report();
        return;
    }
    if (code != BN_CLICKED)
        return;
    if (id == IDC_DEFAULT) {
        Defaults();
    } else if (id == IDOK) {
        Store();
        End(IDOK);
    } else if (id == IDCANCEL) {
        End(IDCANCEL);
    }
}

void InternationalDialog::Store()
{
    WizardSettings& s = App().settings;
    const NationalKind kind = place_.kind;
    s.number[kValueMltnat] = copy_.number[kValueMltnat];
    s.number[kValueKbdvers] = copy_.number[kValueKbdvers];
    if (place_.font < kWizardValueCount)
        s.number[place_.font] = static_cast<u32>(font_);
    if (kind == NationalKind::Character)
        s.number[place_.set] = set_;
    else if (kind == NationalKind::Hp)
        s.number[place_.set] = set_ == kSetHpRoman8 ? 0 : set_;
    if (kind == NationalKind::Character || kind == NationalKind::Wyse)
        s.number[place_.codePage] = copy_.number[place_.codePage];
    if (kind == NationalKind::Wyse)
        s.number[kValueWyAsciiFont] = copy_.number[kValueWyAsciiFont];
    if (kind == NationalKind::Ibm3270) {
        const NationalLanguage& language = NationalLanguageAt(row_);
        s.number[kValueIbmLang] = copy_.number[kValueIbmLang];
        // A value equal to the language's own is kept as "none": it follows the language.
        auto store = [&](WizardValueId id, int control, u32 languageValue) {
            const u32 n = Number(control);
            s.number[id] = n == languageValue ? 0 : n;
        };
        store(kValueIbmCodePage, IDC_SBCS_CODE_PAGE, language.codePage3270);
        store(kValueIbmCodeSet, IDC_SBCS_CHARSET, language.charset3270);
        store(kValueIbmCcsid, IDC_SBCS_CCSID, language.ccsid3270);
    } else if (kind == NationalKind::Ibm5250) {
        s.number[kValueI52Lang] = copy_.number[kValueI52Lang];
        s.displayVariables[kKeyboardTypeVariable] = Text(IDC_KBDTYPE).substr(0, kKeyboardTypeChars);
        s.displayVariables[kCodePageVariable] = Text(IDC_SBCS_CODE_PAGE).substr(0, kIbmTextChars);
        s.displayVariables[kCharsetVariable] = Text(IDC_SBCS_CHARSET).substr(0, kIbmTextChars);
    }
}
