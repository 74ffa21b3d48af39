#pragma once

#include <QString>
#include <array>

namespace dw {

// One colour picker: its current colour text (rrggbb, lower case) and its default colour text.
struct ColourPicker {
    QString text;
    QString defaultText;
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
        {QStringLiteral("ff0000"), QStringLiteral("ff0000")},
        {QStringLiteral("008000"), QStringLiteral("008000")},
        {QStringLiteral("0000ff"), QStringLiteral("0000ff")},
        {QStringLiteral("ff0000"), QStringLiteral("ff0000")},
        {QStringLiteral("b0d0f0"), QStringLiteral("b0d0f0")},
        {QStringLiteral("808080"), QStringLiteral("808080")},
        {QStringLiteral("008000"), QStringLiteral("008000")},
        {QStringLiteral("ffffdf"), QStringLiteral("ffffdf")},
    }};

    bool animate = false;                        // chkAnim (ImportantAnimate when off: "0")
    QString animation = QStringLiteral("Fade");  // ticked menu item: Fade, Blink, ColourBlink, Glow
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

    // AutoC tab: fourteen completion pairs (txtShortcut(i), txtAutoCom(i)).
    std::array<QString, 14> shortcuts{};
    std::array<QString, 14> completions{};

    bool saveAtExit = true; // chkSaveExit
};

} // namespace dw
