// Where the settings dialog's controls stand, in twips relative to their container (the window's
// client area or the panel), and the texts they show.
#pragma once

namespace dialog {

struct Box {
  int left, top, width, height;
};

constexpr int kClientWidth = 7410, kClientHeight = 3690;

// On the window.
constexpr Box kPanel{180, 240, 7035, 2475};             // Pic_C
constexpr Box kCredit{180, 2880, 2475, 195};            // lbl (7)
constexpr Box kUrl{180, 3120, 3285, 195};               // lbl_URL
constexpr Box kSetButton{4740, 3000, 1215, 375};        // Cmd_Set
constexpr Box kCancelButton{6000, 3000, 1215, 375};     // Cmd_Can
constexpr Box kPictureStore[2] = {{8040, 300, 180, 180},  // Img_Ra: unselected, selected
                                  {8040, 600, 180, 180}};

// On the panel.
constexpr Box kHeadingFrame{300, 300, 1695, 315};       // Shape3
constexpr Box kHeading{300, 360, 1665, 195};            // lbl (15)
constexpr Box kRepeatBox{1680, 780, 615, 300};          // BGM_Repeat
constexpr Box kRepeatCaption{2340, 840, 990, 195};      // lbl (14)
constexpr Box kFileButton{420, 1680, 615, 375};         // Cmd_File
constexpr Box kFileName{1080, 1740, 5715, 495};         // lbl_Fname
// Img_BGM and lbl_BGM, indexed by music mode: 0 none, 1 audio CD, 2 file.
constexpr Box kIndicator[3] = {{420, 1140, 195, 195}, {420, 840, 195, 195}, {420, 1440, 195, 195}};
constexpr Box kModeCaption[3] = {{660, 1140, 330, 195}, {660, 840, 645, 195}, {660, 1440, 900, 195}};

constexpr const wchar_t* kTitle = L"<Orvellia>";
constexpr const wchar_t* kModeText[3] = {L"なし", L"音楽CD", L"MP3、WAV"};
constexpr const wchar_t* kHeadingText = L"BGM";
constexpr const wchar_t* kRepeatText = L"曲目をﾘﾋﾟｰﾄ";
constexpr const wchar_t* kCreditText = L"Designed by Orvellia Ver.1.0.0";
constexpr const wchar_t* kUrlText = L"https://orvellia.example.org/";
// Shown when Set could not write the settings file, followed by a line break and the file's path.
constexpr const wchar_t* kSaveFailedText = L"設定をﾌｧｲﾙに保存できません！";
constexpr const wchar_t* kFontFace = L"ＭＳ Ｐゴシック";
constexpr double kFontPoints = 9.75;

}  // namespace dialog
