// Czech block (numbers 101..199).
#include "strings/message_tables.h"

namespace norva::strings {
namespace {

constexpr MessageText kMessages[] = {
    {1, "INSTALOVANÉ"},
    {2, "DEMA"},
    {3, "SOFTWARE"},
    {4, "EXTRA"},
    {5, "UPDATY"},
    {6, "OVLADAČE"},
    {7, "OBRÁZKY"},
    {8, "TRAILERY"},
    {9, "ONLINE DEMA"},
    {11, "Chcete smazat všechny soubory v adresáři %1 ?"},
    {13, "Všechny soubory jsou uloženy v adresáři \\SHAREWARE"},
    {14, "Chcete nainstalovat toto demo do adresáře %1 ?"},
    {15, "Adresář nelze vytvořit!"},
    {16, "Výběr adresáře"},
    {31, "Chcete nainstalovat tento program do adresáře %1 ?"},
    {32, "Kam chcete program nainstalovat?"},
    {33, "Zde můžete odinstalovat všechny programy nainstalované tímto menu z libovolného CD!"},
    {34,
     "Po odinstalování zůstaly v adresáři %1 některé soubory. Obvykle jde o uložené pozice, obrázky nebo "
     "dočasné soubory, které nebyly smazány. Chcete je smazat (doporučeno)?"},
    {35, "Opravdu chcete smazat %1 MB ?"},
    {40, "Instaluji"},
    {41, "do"},
    {50, "Opravdu chcete instalaci přerušit?"},
    {51, "V %1 není dost volného místa (je potřeba %2 MB). Přesto instalovat?"},
    {52,
     "Programy pro Windows nelze na tomto počítači spustit: není nainstalován Wine. Nainstalujte Wine "
     "(v Debianu či Ubuntu: sudo apt-get install wine) a zkuste to znovu."},
    {53,
     "%1 je 32bitový program pro Windows, ale 32bitová část Wine není nainstalována. Nainstalujte ji "
     "(v Debianu či Ubuntu: sudo dpkg --add-architecture i386 && sudo apt-get update && sudo apt-get "
     "install wine32:i386) a zkuste to znovu."},
    {54, "%1 není program pro Windows, který Wine dokáže spustit (program pro DOS nebo poškozený soubor)."},
    {55,
     "Instalace selhala: v %1 nelze vytvořit žádný soubor (složka je jen pro čtení nebo chráněná proti "
     "zápisu)."},
    {61,
     "Updaty jsou programy od tvůrců her, které opravují \"chyby\" nebo přidávají nové funkce. Před "
     "aktualizací doporučujeme zazálohovat původní instalaci."},
    {73, "RÁMEČEK"},
    {74, "EFEKTY"},
    {75, "HUDBA"},
    {76, "DATUM VYDÁNÍ"},
    {77, "Tento měsíc posloucháte hudbu ze hry Necromania: Trap of Darkness od firem Darksoft a Cinemax."},
    {78, "POSLEDNÍ AKTUALIZACE"},
    {80, "Vyžaduje kodek DivX (v sekci Ovladače)."},
    {81, "SPUSTIT"},
    {82, "ODINSTALOVAT"},
    {83, "README"},
    {84, "WEBOVÁ STRÁNKA"},
    {85, "VYPNOUT"},
    {86, "NEHRATELNÉ"},
    {87, "ZAPNOUT"},
    {88, "PODPORA 3D"},
    {89, "HRATELNÉ"},
    {90, "KONEC"},
    {91, "NASTAVENÍ"},
    {92, "STAV: VYPNUTO"},
    {93, "STAV: ZAPNUTO"},
    {94, "Zapne rámeček okna a jeho animace (doporučeno pro rozlišení vyšší než 1024x768)."},
    {95,
     "Speciální efekty, např. průhlednost při načítání obrázků. Majitelé pomalejších počítačů by je měli "
     "vypnout."},
    {96, "INSTALOVAT"},
    {97, "HRA PO SÍTI"},
    {98, "V ČEŠTINĚ"},
    {99, "OSVĚTLENÍ"},
};

}  // namespace

std::span<const MessageText> CzechMessages() {
  return kMessages;
}

}  // namespace norva::strings
