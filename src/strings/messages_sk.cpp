// Slovak block (numbers 401..499).
#include "strings/message_tables.h"

namespace norva::strings {
namespace {

constexpr MessageText kMessages[] = {
    {1, "INŠTALOVANÉ"},
    {2, "DEMÁ"},
    {3, "SOFTVÉR"},
    {4, "EXTRA"},
    {5, "UPDATY"},
    {6, "OVLÁDAČE"},
    {7, "OBRÁZKY"},
    {8, "TRAILERY"},
    {9, "ONLINE DEMÁ"},
    {11, "Chcete vymazať všetky súbory v adresári %1 ?"},
    {13, "Všetky súbory sú uložené v adresári \\SHAREWARE"},
    {14, "Chcete nainštalovať toto demo do adresára %1 ?"},
    {15, "Adresár sa nedá vytvoriť!"},
    {16, "Výber adresára"},
    {31, "Chcete nainštalovať tento program do adresára %1 ?"},
    {32, "Kam chcete program nainštalovať?"},
    {33, "Tu môžete odinštalovať všetky programy nainštalované týmto menu z ľubovoľného CD!"},
    {34,
     "Po odinštalovaní zostali v adresári %1 niektoré súbory. Zvyčajne ide o uložené pozície, obrázky alebo "
     "dočasné súbory, ktoré neboli vymazané. Chcete ich vymazať (odporúčané)?"},
    {35, "Naozaj chcete vymazať %1 MB ?"},
    {40, "Inštalujem"},
    {41, "do"},
    {50, "Naozaj chcete prerušiť inštaláciu?"},
    {51, "V %1 nie je dosť voľného miesta (treba %2 MB). Napriek tomu inštalovať?"},
    {52,
     "Programy pre Windows sa na tomto počítači nedajú spustiť: nie je nainštalovaný Wine. "
     "Nainštalujte Wine (v Debiane či Ubuntu: sudo apt-get install wine) a skúste to znova."},
    {53,
     "%1 je 32-bitový program pre Windows, ale 32-bitová časť Wine nie je nainštalovaná. Nainštalujte "
     "ju (v Debiane či Ubuntu: sudo dpkg --add-architecture i386 && sudo apt-get update && sudo "
     "apt-get install wine32:i386) a skúste to znova."},
    {54,
     "%1 nie je program pre Windows, ktorý dokáže Wine spustiť (program pre DOS alebo poškodený "
     "súbor)."},
    {55,
     "Inštalácia zlyhala: v %1 nemožno vytvoriť žiadny súbor (priečinok je iba na čítanie alebo chránený "
     "proti zápisu)."},
    {61,
     "Updaty sú programy od tvorcov hier, ktoré opravujú \"chyby\" alebo pridávajú nové funkcie. Pred "
     "aktualizáciou odporúčame zálohovať pôvodnú inštaláciu."},
    {73, "RÁMČEK"},
    {74, "EFEKTY"},
    {75, "HUDBA"},
    {76, "DÁTUM VYDANIA"},
    {77, "Tento mesiac počúvate hudbu z hry Necromania: Trap of Darkness od firiem Darksoft a Cinemax."},
    {78, "POSLEDNÁ AKTUALIZÁCIA"},
    {80, "Vyžaduje kodek DivX (v sekcii Ovládače)."},
    {81, "SPUSTIŤ"},
    {82, "ODINŠTALOVAŤ"},
    {83, "README"},
    {84, "WEBOVÁ STRÁNKA"},
    {85, "VYPNÚŤ"},
    {86, "NEHRATEĽNÉ"},
    {87, "ZAPNÚŤ"},
    {88, "PODPORA 3D"},
    {89, "HRATEĽNÉ"},
    {90, "KONIEC"},
    {91, "NASTAVENIA"},
    {92, "STAV: VYPNUTÉ"},
    {93, "STAV: ZAPNUTÉ"},
    {94, "Zapne rámček okna a jeho animácie (odporúčané pre rozlíšenie vyššie ako 1024x768)."},
    {95,
     "Špeciálne efekty, napr. priehľadnosť pri načítavaní obrázkov. Majitelia pomalších počítačov by ich "
     "mali "
     "vypnúť."},
    {96, "INŠTALOVAŤ"},
    {97, "HRA PO SIETI"},
    {98, "V ČEŠTINE"},
    {99, "OSVETLENIE"},
};

}  // namespace

std::span<const MessageText> SlovakMessages() {
  return kMessages;
}

}  // namespace norva::strings
