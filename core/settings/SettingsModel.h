#pragma once

#include <QString>
#include <array>

namespace dw {

// A colour value as the pickers hold it: red + green * 256 + blue * 65536.
constexpr quint32 rgbValue(int red, int green, int blue)
{
    return quint32(red & 255) | (quint32(green & 255) << 8) | (quint32(blue & 255) << 16);
}

// One colour picker: its colour text (rrggbb, lower case; what is saved and what the page
// uses), its default colour text (restored by the "Default Settings..." commands) and the
// colour it shows. Loading sets only the text; the refresh derives the colour from a valid text
// and rewrites the text from the colour, so an unreadable text falls back to the shown colour.
struct ColourPicker {
    QString text;
    QString defaultText;
    quint32 value = 0;
};

// The layout frame of the position editor, in its own units (1/1440 inch).
inline constexpr double kFrameWidth = 4840;
inline constexpr double kFrameHeight = 3630;

// The current value of every display setting, held in the form the controls hold it. The tabs
// edit this model, the store and settings files copy it, and the page writer reads it. Each
// member is named after the control that holds it; the comment gives the setting key.
struct SettingsModel {
    // Format tab. Index 0 = Main Date, 1 = Name-Date, 2 = Scroller.
    std::array<QString, 3> fonts{QStringLiteral("Verdana"), QStringLiteral("Arial"),
                                 QStringLiteral("Times New Roman")}; // *Font
    std::array<QString, 3> fontSizes{QStringLiteral("18"), QStringLiteral("13"),
                                     QStringLiteral("14")}; // *FontSize
    std::array<QString, 3> fontStyles{QStringLiteral("Regular"), QStringLiteral("Regular"),
                                      QStringLiteral("Regular")}; // *FontStyle

    // 0 MainDateFontColour, 1 NameDateFontColour, 2 ScrollerFontColour, 3 ImportantColour,
    // 4 background colour, 5 MDEffectColor, 6 NDRollover, 7 ScrollerBgColour.
    std::array<ColourPicker, 8> pickers{{
        {QStringLiteral("ff0000"), QStringLiteral("ff0000"), rgbValue(0xff, 0x00, 0x00)},
        {QStringLiteral("008000"), QStringLiteral("008000"), rgbValue(0x00, 0x80, 0x00)},
        {QStringLiteral("0000ff"), QStringLiteral("0000ff"), rgbValue(0x00, 0x00, 0xff)},
        {QStringLiteral("ff0000"), QStringLiteral("ff0000"), rgbValue(0xff, 0x00, 0x00)},
        {QStringLiteral("b0d0f0"), QStringLiteral("b0d0f0"), rgbValue(0xb0, 0xd0, 0xf0)},
        {QStringLiteral("808080"), QStringLiteral("808080"), rgbValue(0x80, 0x80, 0x80)},
        {QStringLiteral("008000"), QStringLiteral("008000"), rgbValue(0x00, 0x80, 0x00)},
        {QStringLiteral("ffffdf"), QStringLiteral("ffffdf"), rgbValue(0xff, 0xff, 0xdf)},
    }};

    bool animate = false;                        // chkAnim (ImportantAnimate when off: "0")
    // Ticked menu item: Fade, Blink, ColourBlink, Glow; empty when none is ticked, as at
    // first start (pressing "Animate" then ticks Blink).
    QString animation;
    QString backgroundKind = QStringLiteral("Colour"); // cmbBackground: "Colour" or "Picture"
    QString backgroundPicture;                   // txtBrowse
    QString remindBefore = QStringLiteral("5");  // cmbDays, RemindBefore
    std::array<bool, 4> showBlock{true, true, true, true}; // chkFormat(0..3), CheckBox0..3

    // Effects tab.
    QString mdEffect = QStringLiteral("None");    // cmbEffects
    QString blurStrength = QStringLiteral("1");   // cmbStrBlur
    QString blurDirection = QStringLiteral("0");  // cmbDirBlur
    QString dropX = QStringLiteral("1");          // cmbXDs
    QString dropY = QStringLiteral("1");          // cmbYDs
    QString glowStrength = QStringLiteral("1");   // cmbStrGlow
    QString spookyDirection = QStringLiteral("0"); // cmbDirSS
    QString mdOpacity = QStringLiteral("100");    // txtMDOpacity
    QString ndOpacity = QStringLiteral("100");    // txtNDOpacity
    QString mdDateStyle = QStringLiteral("dd/MM/yyyy"); // cmbMDStyle
    QString mdDateSep = QStringLiteral("/");      // cmbMDSep
    QString ndDateStyle = QStringLiteral("dd/MM/yyyy"); // cmbNDStyle
    QString ndDateSep = QStringLiteral("/");      // cmbNDSep
    QString scrollerBgStyle = QStringLiteral("Solid");     // cmbSBgStyle
    QString scrollerBorderStyle = QStringLiteral("Solid"); // cmbSBoStyle

    // Position tab. Marker places are in layout-frame units.
    QString taskbarHeight = QStringLiteral("35"); // txtTaskbar
    double mainDateLeft = 4125;  // lblMainDate
    double mainDateTop = 1920;
    double nameDateLeft = 4050;  // lblNameDate
    double nameDateTop = 2280;
    double scrollerTop = 1920;   // lblScroller
    QString mainDatePosition = QStringLiteral("Custom"); // cmbMDPosition
    QString nameDatePosition = QStringLiteral("Custom"); // cmbNDPosition
    int nameDateAlign = 2;       // picAlign: -1 none, 0 left, 1 center, 2 right
    int scrollerPreset = -1;     // picPos: -1 none, 0 top, 1 middle, 2 bottom

    // AutoC tab: fourteen completion pairs (txtShortcut(i), txtAutoCom(i)). Pairs 0..6 complete
    // after "@", 7..13 after "$"; the first five start with common webmail domains.
    std::array<QString, 14> shortcuts{QStringLiteral("aa"), QStringLiteral("gg"),
                                      QStringLiteral("hh"), QStringLiteral("oo"),
                                      QStringLiteral("yy")};
    std::array<QString, 14> completions{QStringLiteral("aol.com"), QStringLiteral("gmail.com"),
                                        QStringLiteral("hotmail.com"), QStringLiteral("outlook.com"),
                                        QStringLiteral("yahoo.com")};

    bool saveAtExit = true; // chkSaveExit
};

} // namespace dw
