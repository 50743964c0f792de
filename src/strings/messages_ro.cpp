// Romanian block (numbers 301..399). The letters ş ţ are the cedilla forms, the ones Windows-1250 holds.
#include "strings/message_tables.h"

namespace norva::strings {
namespace {

constexpr MessageText kMessages[] = {
    {1, "INSTALATE"},
    {2, "DEMO-URI"},
    {3, "SOFTWARE"},
    {4, "EXTRA"},
    {5, "ACTUALIZĂRI"},
    {6, "DRIVERE"},
    {7, "IMAGINI"},
    {8, "TRAILERE"},
    {9, "DEMO ONLINE"},
    {11, "Doriţi să ştergeţi toate fişierele din %1 ?"},
    {13, "Toate fişierele se află în directorul \\SHAREWARE"},
    {14, "Doriţi să instalaţi acest demo în %1 ?"},
    {15, "Directorul nu poate fi creat!"},
    {16, "Selectarea directorului"},
    {31, "Doriţi să instalaţi acest program în %1 ?"},
    {32, "Unde doriţi să îl instalaţi?"},
    {33, "Aici puteţi dezinstala toate programele instalate cu acest meniu de pe orice CD!"},
    {34,
     "După dezinstalare, în directorul %1 au rămas câteva fişiere. De obicei sunt salvări, imagini sau "
     "fişiere temporare care nu au fost şterse. Doriţi să le ştergeţi (recomandat)?"},
    {35, "Sigur doriţi să ştergeţi %1 MB ?"},
    {40, "Se instalează"},
    {41, "în"},
    {50, "Sigur doriţi să opriţi această instalare?"},
    {51, "Nu există suficient spaţiu liber în %1 (sunt necesari %2 MB). Instalaţi totuşi?"},
    {52,
     "Programele Windows nu pot porni pe acest calculator: Wine nu este instalat. Instalaţi Wine (pe "
     "Debian sau Ubuntu: sudo apt-get install wine) şi încercaţi din nou."},
    {53,
     "%1 este un program Windows pe 32 de biţi, dar partea pe 32 de biţi a Wine nu este instalată. "
     "Instalaţi-o (pe Debian sau Ubuntu: sudo dpkg --add-architecture i386 && sudo apt-get update && "
     "sudo apt-get install wine32:i386) şi încercaţi din nou."},
    {54,
     "%1 nu este un program Windows pe care Wine îl poate rula (un program DOS sau un fişier "
     "deteriorat)."},
    {55,
     "Instalarea a eşuat: în %1 nu a putut fi creat niciun fişier (dosarul este doar pentru citire sau "
     "protejat la scriere)."},
    {61,
     "Actualizările sunt programe realizate de producătorii jocurilor, care corectează \"bug-uri\" sau "
     "adaugă "
     "funcţii noi. Înainte de actualizare vă recomandăm să faceţi o copie de siguranţă a instalării "
     "originale."},
    {73, "CHENAR"},
    {74, "EFECTE"},
    {75, "MUZICĂ"},
    {76, "DATA LANSĂRII"},
    {77, "Luna aceasta ascultaţi muzică din jocul Necromania: Trap of Darkness de la Darksoft şi Cinemax."},
    {78, "ULTIMA ACTUALIZARE"},
    {80, "Necesită codecul DivX (în Drivere)."},
    {81, "PORNEŞTE"},
    {82, "DEZINSTALEAZĂ"},
    {83, "README"},
    {84, "PAGINA WEB"},
    {85, "DEZACTIVEAZĂ"},
    {86, "NEJUCABIL"},
    {87, "ACTIVEAZĂ"},
    {88, "SUPORT 3D"},
    {89, "JUCABIL"},
    {90, "IEŞIRE"},
    {91, "SETĂRI"},
    {92, "STARE: DEZACTIVAT"},
    {93, "STARE: ACTIVAT"},
    {94, "Activează chenarul şi animaţiile sale (recomandat pentru rezoluţii mai mari de 1024x768)."},
    {95,
     "Efecte speciale, precum transparenţa la încărcarea imaginilor. Posesorii calculatoarelor mai lente ar "
     "trebui să le dezactiveze."},
    {96, "INSTALEAZĂ"},
    {97, "JOC ÎN REŢEA"},
    {98, "ÎN LIMBA CEHĂ"},
    {99, "ILUMINARE"},
};

}  // namespace

std::span<const MessageText> RomanianMessages() {
  return kMessages;
}

}  // namespace norva::strings
