/* The setup window before any install: the agree box, the input filter,
   the licence box, the colours, the caption through repaints and the
   folder picker; and the security Setup gives a folder it makes. */
#include "folder_security.h"
#include "setup_driver.h"

#include <limits.h>
#include <sddl.h>

#include <algorithm>

namespace
{

const COLORREF LICENSE_GREY = RGB(112, 112, 112);
const COLORREF LICENSE_GREEN = RGB(128, 255, 128);

void CheckStartState(const SetupRun &run, const std::string &license)
{
    Check(DriveText(run.window, SETUP_INSTALL_PATH) == "C:\\", "the path box shows C:\\");
    Check(!IsAgreed(run) && !DriveEnabled(run.window, SETUP_INSTALL),
          "the agree box is clear and Install disabled");
    Check(FocusOf(run) == GetDlgItem(run.window, SETUP_LICENSE_TEXT),
          "the licence box has the focus");
    std::string shown = LongText(run.window, SETUP_LICENSE_TEXT);
    Check(shown == license, Format("the licence box shows the licence exactly (%zu of %zu bytes)",
                                   shown.size(), license.size()));
    SetForegroundWindow(run.window);
    RealClick(run.window, SETUP_INSTALL, false);
    DriveClick(run.window, SETUP_INSTALL);
    /* A command reaches the window even though the button is disabled. */
    PostMessageA(run.window, WM_COMMAND, MAKEWPARAM(SETUP_INSTALL, BN_CLICKED),
                 (LPARAM)GetDlgItem(run.window, SETUP_INSTALL));
    Sleep(500);
    Check(DriveDialogs(run.process.pid).size() == 1,
          "a click on disabled Install, real or posted, or its command posted, does nothing");
}

void CheckAgreeBox(const SetupRun &run)
{
    for (int agreed : {1, 0, 1, 0})
        Check(SetAgreed(run, agreed), agreed ? "ticking the agree box enables Install"
                                             : "clearing it disables Install again");
}

/* The dark blue pixels of the caption on the header. */
size_t CaptionPixels(const SetupRun &run)
{
    size_t caption = 0;
    for (COLORREF c : CaptureControl(run.window, SETUP_HEADER))
        caption += GetBValue(c) > 80 && GetRValue(c) < 60 && GetGValue(c) < 60;
    return caption;
}

void CheckColours(const SetupRun &run)
{
    std::vector<COLORREF> licence = CaptureControl(run.window, SETUP_LICENSE_TEXT);
    size_t grey = 0, green = 0;
    for (COLORREF c : licence) {
        grey += c == LICENSE_GREY;
        green += c == LICENSE_GREEN;
    }
    Check(
        grey > licence.size() / 2 && green > 500,
        Format("the licence box is grey with light green text (%zu grey, %zu green of %zu pixels)",
               grey, green, licence.size()));
    size_t caption = CaptionPixels(run);
    Check(caption > 100,
          Format("the caption is drawn on the header (%zu dark blue pixels)", caption));
    DriveCaptureWindow(run.window, "C:\\setup-window.bmp");
}

/* The pixels that differ between two captures of the same control, and
   the box around them. */
struct Change {
    size_t pixels;
    RECT box;
};

Change Compare(const std::vector<COLORREF> &a, const std::vector<COLORREF> &b, long width)
{
    Change change = {0, {width, LONG_MAX, -1, -1}};
    for (size_t i = 0; i < a.size() && i < b.size(); i++) {
        if (a[i] == b[i]) continue;
        long x = (long)(i % width), y = (long)(i / width);
        change.pixels++;
        change.box = {std::min(change.box.left, x), std::min(change.box.top, y),
                      std::max(change.box.right, x + 1), std::max(change.box.bottom, y + 1)};
    }
    return change;
}

/* Scrolls the licence to its end and back, page by page, three times;
   answers the deepest line it showed at its top. */
LRESULT ScrollLicence(HWND licence)
{
    LRESULT deepest = 0;
    for (int round = 0; round < 3; round++)
        for (int way : {SB_PAGEDOWN, SB_PAGEUP}) {
            for (int page = 0; page < 8; page++) {
                SendMessageA(licence, WM_VSCROLL, way, 0);
                Sleep(40);
            }
            SendMessageA(licence, WM_VSCROLL, way == SB_PAGEDOWN ? SB_BOTTOM : SB_TOP, 0);
            Sleep(40);
            deepest = std::max(deepest, SendMessageA(licence, EM_GETFIRSTVISIBLELINE, 0, 0));
        }
    return deepest;
}

std::vector<COLORREF> CaptureAfterRedraw(const SetupRun &run, HWND control)
{
    RedrawWindow(control, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Sleep(300 + driveAllowanceMs / 10);
    return CaptureControl(run.window, SETUP_HEADER);
}

/* The caption is drawn again at every paint of the licence box, which
   each scroll brings. Over smoothed letters, whose edges are blended with
   what is beneath, a caption drawn onto itself grows bolder, so the check
   needs smoothing on (Wine's prefixes have it, as Windows does). The
   header drawn by its control alone is the picture; the caption drawn at
   the licence's next paint must change only a small part of it, and stay
   as it was then through every later paint. */
void CheckCaptionAfterRepaints(const SetupRun &run)
{
    BOOL smoothed = FALSE;
    SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &smoothed, 0);
    Check(smoothed, "fonts are smoothed, so a caption drawn over itself would show");
    HWND header = GetDlgItem(run.window, SETUP_HEADER);
    HWND licence = GetDlgItem(run.window, SETUP_LICENSE_TEXT);
    RECT r;
    GetWindowRect(header, &r);
    long width = r.right - r.left, height = r.bottom - r.top;
    std::vector<COLORREF> picture = CaptureAfterRedraw(run, header);
    std::vector<COLORREF> first = CaptureAfterRedraw(run, licence);
    Change caption = Compare(picture, first, width);
    Check(caption.pixels > 100 && caption.box.right - caption.box.left < width / 2 &&
              caption.box.bottom - caption.box.top < height / 2,
          Format("the caption is drawn onto the picture where the control shows it (%zu pixels "
                 "changed, from %ld,%ld to %ld,%ld of %ld x %ld)",
                 caption.pixels, caption.box.left, caption.box.top, caption.box.right,
                 caption.box.bottom, width, height));
    LRESULT deepest = ScrollLicence(licence);
    Sleep(300 + driveAllowanceMs / 10);
    Check(deepest > 0 && SendMessageA(licence, EM_GETFIRSTVISIBLELINE, 0, 0) == 0,
          Format("the licence scrolled to its end (line %ld at the top) and back", (long)deepest));
    std::vector<COLORREF> after = CaptureControl(run.window, SETUP_HEADER);
    Change thickened = Compare(first, after, width);
    Check(!first.empty() && first.size() == after.size() && thickened.pixels == 0,
          Format("the header looks as at the caption's first drawing after the licence was "
                 "scrolled to its end and back three times (%zu of %zu pixels changed)",
                 thickened.pixels, first.size()));
}

/* Real mouse and keyboard input through the system's input queue. */
void CheckInputFilter(const SetupRun &run, const std::string &license)
{
    SetForegroundWindow(run.window);
    RealClick(run.window, SETUP_AGREE, false);
    Check(IsAgreed(run) && DriveEnabled(run.window, SETUP_INSTALL),
          "a real click on the agree box ticks it and enables Install");
    RealClick(run.window, SETUP_AGREE, false);
    Check(!IsAgreed(run) && !DriveEnabled(run.window, SETUP_INSTALL),
          "a second real click clears it and disables Install");
    HWND path = GetDlgItem(run.window, SETUP_INSTALL_PATH);
    RealClick(run.window, SETUP_INSTALL_PATH, false);
    Check(FocusOf(run) != path, "a click into the path box does not give it the focus");
    RealKeys({'D', 'X', VK_BACK, VK_DELETE, VK_RETURN});
    Check(DriveText(run.window, SETUP_INSTALL_PATH) == "C:\\", "typing leaves the path C:\\");
    RealClick(run.window, SETUP_INSTALL_PATH, false, 2);
    Check(FocusOf(run) != path, "nor does a double click");
    RealKeys({'D', VK_BACK, VK_BACK, VK_BACK, VK_DELETE});
    Check(DriveText(run.window, SETUP_INSTALL_PATH) == "C:\\",
          "double-clicking into the path box and typing leaves C:\\");
    RealClick(run.window, SETUP_INSTALL_PATH, true);
    Check(!PopupMenuClosed(), "a right click on the path box opens no edit menu");
    RealClick(run.window, SETUP_LICENSE_TEXT, false);
    RealKeys({'X', VK_BACK, VK_DELETE, VK_RETURN, VK_SPACE});
    Check(LongText(run.window, SETUP_LICENSE_TEXT) == license,
          "typing leaves the licence as it is");
    RealClick(run.window, SETUP_LICENSE_TEXT, true);
    Check(!PopupMenuClosed(), "a right click on the licence opens no edit menu");
    RealKeys({VK_F10}, VK_SHIFT);
    Check(!PopupMenuClosed(), "Shift+F10 on the licence opens no edit menu");
    /* Wine opens the edit menu for the menu key without a message that
       the program's own pass could drop: seen, not checked. */
    RealKeys({VK_APPS});
    Note(PopupMenuClosed() ? "the menu key on the licence opens the edit menu"
                           : "the menu key opens no menu");
    Check(LongText(run.window, SETUP_LICENSE_TEXT) == license, "the licence is as it was");
    Check(DriveText(run.window, SETUP_INSTALL_PATH) == "C:\\", "and the path as it is");
}

void CheckFolderPicker(const SetupRun &run)
{
    DriveClick(run.window, SETUP_BROWSE);
    HWND picker = WaitSetupBox(run, NULL, 15000, NULL, NULL);
    if (!Check(picker != NULL, "Browse opens the folder picker")) return;
    Note("picker title: " + DriveTitle(picker));
    DriveClick(run.window, SETUP_BROWSE);
    Sleep(700);
    Check(DriveDialogs(run.process.pid).size() == 2,
          "Browse again while it is open opens no second");
    Check(DriveAnswer(picker, IDCANCEL, 5000) != 0, "Cancel closes the picker");
    Check(DriveText(run.window, SETUP_INSTALL_PATH) == "C:\\", "and leaves the path C:\\");
    CheckBrowsePicksDesktop(run);
}

/* A descriptor's access list as text, in the platform's own spelling;
   empty when it cannot be written. */
std::string AccessText(PSECURITY_DESCRIPTOR descriptor)
{
    char *text = NULL;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, NULL))
        return "";
    std::string result = text;
    LocalFree(text);
    return result;
}

/* The access list written as SDDL text, spelt as the platform spells it. */
std::string SpeltAsThePlatform(const std::string &sddl)
{
    PSECURITY_DESCRIPTOR descriptor = NULL;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1,
                                                              &descriptor, NULL))
        return "(not SDDL: " + sddl + ")";
    std::string result = AccessText(descriptor);
    LocalFree(descriptor);
    return result;
}

std::string CurrentUserSid(void)
{
    HANDLE token = NULL;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return "";
    union {
        TOKEN_USER user;
        // cppcheck-suppress unusedStructMember ; the room the SID is read into
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } user;
    DWORD needed = 0;
    char *text = NULL;
    std::string sid;
    if (GetTokenInformation(token, TokenUser, &user, sizeof user, &needed) &&
        ConvertSidToStringSidA(user.user.User.Sid, &text)) {
        sid = text;
        LocalFree(text);
    }
    CloseHandle(token);
    return sid;
}

/* The security Setup gives a folder it makes, as its own code builds it:
   Wine keeps no descriptor given to CreateDirectory (it answers one made
   from the Unix file mode), so the folder itself cannot show it. */
void CheckInstallFolderSecurity(void)
{
    std::string user = CurrentUserSid();
    Check(user.compare(0, 4, "S-1-") == 0, "the user's SID is " + user);
    std::string expected = SpeltAsThePlatform("D:P(A;OICI;FA;;;" + user +
                                              ")(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)"
                                              "(A;OICI;0x1200a9;;;BU)");
    SECURITY_ATTRIBUTES security = {0, NULL, TRUE};
    if (!Check(MakeInstallFolderSecurity(&security), "Setup builds the install folder's security"))
        return;
    std::string built = AccessText(security.lpSecurityDescriptor);
    Check(security.nLength == sizeof security && !security.bInheritHandle,
          "it is a whole SECURITY_ATTRIBUTES whose handle is not inherited");
    ReleaseFolderSecurity(&security);
    Check(built == expected,
          "full control for the user, the administrators and the system, reading and running "
          "for the users, protected and passed on inside: " +
              built + (built == expected ? "" : ", not " + expected));
}

} // namespace

void RunPictureCase(const std::string &setupExe, const std::string &bmpPath)
{
    /* The screen's own pixels: where the system scales a DPI-unaware
       window whole, as Windows 10 and Wine 10 do, an unaware client would
       be given the window's place in unscaled units. */
    SetProcessDPIAware();
    SetupRun run;
    if (!Check(StartSetup(setupExe, &run), "setup starts and shows \"Program Setup\"")) return;
    RECT client;
    GetClientRect(run.window, &client);
    MapWindowPoints(run.window, NULL, (POINT *)&client, 2);
    long width = client.right - client.left;
    /* Painted through: the licence's text is on the screen, and the
       window looks the same a moment later. */
    std::vector<COLORREF> shown, earlier;
    Check(DriveWaitFor(
              [&] {
                  earlier.swap(shown);
                  shown = CaptureScreen(client);
                  return shown == earlier &&
                         std::count(shown.begin(), shown.end(), LICENSE_GREEN) > 500;
              },
              10000, 300),
          "the window is painted through, the licence's text shown");
    Check(WriteBitmapFile(bmpPath, shown, width),
          Format("its client area, %ld x %ld, is written to ", width, client.bottom - client.top) +
              bmpPath);
    CloseSetup(&run);
}

void RunWindowCase(const std::string &setupExe)
{
    CheckInstallFolderSecurity();
    /* That it is the licence file byte for byte is read natively. */
    std::string license = ResourceBytes(setupExe, "LICENSE", 111);
    Check(!license.empty(), "setup carries a licence");
    FolderState before = ReadFolderState("C:\\Zendaro");
    SetupRun run;
    if (!Check(StartSetup(setupExe, &run), "setup starts and shows \"Program Setup\"")) return;
    CheckStartState(run, license);
    CheckAgreeBox(run);
    CheckColours(run);
    CheckCaptionAfterRepaints(run);
    CheckInputFilter(run, license);
    CheckFolderPicker(run);
    CloseSetup(&run);
    Check(SameFolderState(before, ReadFolderState("C:\\Zendaro")),
          "closing without Install writes nothing");
}
