// English block (numbers 1..99). Texts are kept exactly as the program has always shown them, slips included:
// the doubled apostrophe of 15, the two blanks of 13, the grammar of 34, "then" in 94, "tranparency" in 95,
// and the Czech hover texts of 85, 87 and 98. The Extra2 caption (9) has no English text.
#include "strings/message_tables.h"

namespace norva::strings {
namespace {

constexpr MessageText kMessages[] = {
    {1, "INSTALLED"},
    {2, "DEMOS"},
    {3, "SOFTWARE"},
    {4, "EXTRA"},
    {5, "UPDATES"},
    {6, "DRIVERS"},
    {7, "SHOTS"},
    {8, "TRAILERS"},
    {11, "Would you like to delete all files in %1 ?"},
    {13, "All files are stored  in directory \\SHAREWARE"},
    {14, "Would you like to install this demo in %1 ?"},
    {15, "Can''t create directory!"},
    {16, "Directory selection"},
    {31, "Would you like to install this program to %1 ?"},
    {32, "Where do you want to install it?"},
    {33, "Here you can uninstall all programs installed with this engine from any CD!"},
    {34,
     "After uninstallation process some files has been left in directory %1. These are usually savegames, "
     "pictures or temporary files, that wasn't deleted. Do you want to delete them (recommended)?"},
    {35, "Do you really want to delete %1 MB ?"},
    {40, "Installing"},
    {41, "in"},
    {50, "Do you really want to quit this installation?"},
    {51, "There is not enough free space in %1 (%2 MB needed). Install anyway?"},
    {52,
     "Windows programs cannot start on this computer: Wine is not installed. Install Wine (on Debian "
     "or Ubuntu: sudo apt-get install wine) and try again."},
    {53,
     "%1 is a 32-bit Windows program, but the 32-bit part of Wine is not installed. Install it (on "
     "Debian or Ubuntu: sudo dpkg --add-architecture i386 && sudo apt-get update && sudo apt-get "
     "install wine32:i386) and try again."},
    {54, "%1 is not a Windows program that Wine can run (a DOS program or a damaged file)."},
    {55,
     "The installation failed: no file could be created in %1 (the folder is read-only or write-protected)."},
    {61,
     "Updates are programs, made by game developers, which corrects \"bugs\" or adds some new features. "
     "Before "
     "updating, we recommend you to back-up the original installation."},
    {73, "BORDER PANEL"},
    {74, "EFFECTS"},
    {75, "MUSIC"},
    {76, "DATE OF RELEASE"},
    {77,
     "This month you're listening to music from game Necromania: Trap of Darkness from Darksoft and "
     "Cinemax."},
    {78, "LAST UPDATE"},
    {80, "Requires DivX codec (in Drivers)."},
    {81, "RUN"},
    {82, "UNINSTALL"},
    {83, "README"},
    {84, "HOMEPAGE"},
    {85, "VYPNOUT"},
    {86, "UNPLAYABLE"},
    {87, "ZAPNOUT"},
    {88, "3D SUPPORT"},
    {89, "PLAYABLE"},
    {90, "EXIT"},
    {91, "SETTINGS"},
    {92, "STATUS: DISABLED"},
    {93, "STATUS: ENABLED"},
    {94, "Enables border panel and its animations (recommended for resolution higher then 1024x768)."},
    {95,
     "Special effects like tranparency while loading pictures. Owners of slower computers should turn this "
     "off."},
    {96, "INSTALL"},
    {97, "NETPLAY"},
    {98, "V ČEŠTINĚ"},
    {99, "ILLUMINATION"},
};

}  // namespace

std::span<const MessageText> EnglishMessages() {
  return kMessages;
}

}  // namespace norva::strings
