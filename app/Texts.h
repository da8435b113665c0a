// The sample's texts, in the Japanese code page 932. Class name and title go to the ANSI calls;
// the messages are shown through ShowErrorMessage, which converts them from 932 itself. Written
// as bytes so that every compiler produces them (clang has no -fexec-charset other than UTF-8);
// the UTF-8 text is beside each.
#pragma once

namespace texts {

constexpr char kClassName[] = "CWindow";
constexpr char kTitle[] = "Zorvexa";
// エラー
constexpr char kErrorCaption[] = "\x83\x47\x83\x89\x81\x5b";
// osiri.bmpの読み込みに失敗しました。
constexpr char kBackgroundFailed[] =
    "osiri.bmp\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
// hand.bmpの読み込みに失敗しました。
constexpr char kHandFailed[] =
    "hand.bmp\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
// ウィンドウクラスを登録できませんでした。
constexpr char kClassFailed[] =
    "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x83\x4e\x83\x89\x83\x58\x82\xf0\x93\x6f\x98\x5e\x82\xc5\x82\xab\x82\xdc"
    "\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42";
// ウィンドウを作成できませんでした。
constexpr char kWindowFailed[] =
    "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x82\xf0\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5"
    "\x82\xb5\x82\xbd\x81\x42";

}  // namespace texts
