// Prints what Wine makes of the locale it was started in: the ANSI code page
// and the language of its own texts.
#include <windows.h>

#include <cstdio>

int main()
{
    std::printf("code page %u, texts in language %04x\n", GetACP(), GetUserDefaultUILanguage());
    return 0;
}
