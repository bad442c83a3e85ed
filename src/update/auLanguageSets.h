#pragma once
// The language sets as a table in the program's code, made by the build from the same files
// as the string table (resources/languages). The product reads the string table; the tests
// read this table, and the Windows tier checks that both hold the same texts.
namespace update {

// Text `index` (0..30) of set `set` (1 = English .. 27 = Turkish); nullptr outside them.
const wchar_t* LanguageSetText(int set, int index);

}  // namespace update
