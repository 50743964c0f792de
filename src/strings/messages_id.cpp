// Indonesian block (numbers 601..699).
#include "strings/message_tables.h"

namespace norva::strings {
namespace {

constexpr MessageText kMessages[] = {
    {1, "TERPASANG"},
    {2, "DEMO"},
    {3, "SOFTWARE"},
    {4, "EKSTRA"},
    {5, "PEMBARUAN"},
    {6, "DRIVER"},
    {7, "GAMBAR"},
    {8, "TRAILER"},
    {9, "DEMO ONLINE"},
    {11, "Apakah Anda ingin menghapus semua file di %1 ?"},
    {13, "Semua file disimpan di direktori \\SHAREWARE"},
    {14, "Apakah Anda ingin memasang demo ini di %1 ?"},
    {15, "Direktori tidak dapat dibuat!"},
    {16, "Pilih direktori"},
    {31, "Apakah Anda ingin memasang program ini di %1 ?"},
    {32, "Di mana Anda ingin memasangnya?"},
    {33, "Di sini Anda dapat menghapus semua program yang dipasang dengan menu ini dari CD mana pun!"},
    {34,
     "Setelah proses uninstall, beberapa file masih tertinggal di direktori %1. Biasanya berupa savegame, "
     "gambar, atau file sementara yang tidak terhapus. Apakah Anda ingin menghapusnya (disarankan)?"},
    {35, "Apakah Anda yakin ingin menghapus %1 MB ?"},
    {40, "Memasang"},
    {41, "ke"},
    {50, "Apakah Anda yakin ingin membatalkan instalasi ini?"},
    {51, "Ruang kosong di %1 tidak cukup (perlu %2 MB). Tetap pasang?"},
    {52,
     "Program Windows tidak dapat berjalan di komputer ini: Wine belum terpasang. Pasang Wine (di "
     "Debian atau Ubuntu: sudo apt-get install wine) lalu coba lagi."},
    {53,
     "%1 adalah program Windows 32-bit, tetapi bagian 32-bit dari Wine belum terpasang. Pasang bagian "
     "itu (di Debian atau Ubuntu: sudo dpkg --add-architecture i386 && sudo apt-get update && sudo "
     "apt-get install wine32:i386) lalu coba lagi."},
    {54, "%1 bukan program Windows yang dapat dijalankan Wine (program DOS atau berkas yang rusak)."},
    {55,
     "Instalasi gagal: tidak ada berkas yang dapat dibuat di %1 (folder hanya-baca atau dilindungi dari "
     "penulisan)."},
    {61,
     "Update adalah program buatan pengembang game yang memperbaiki \"bug\" atau menambahkan fitur baru. "
     "Sebelum melakukan update, kami sarankan Anda membuat cadangan instalasi aslinya."},
    {73, "PANEL BINGKAI"},
    {74, "EFEK"},
    {75, "MUSIK"},
    {76, "TANGGAL RILIS"},
    {77,
     "Bulan ini Anda mendengarkan musik dari game Necromania: Trap of Darkness dari Darksoft dan Cinemax."},
    {78, "PEMBARUAN TERAKHIR"},
    {80, "Memerlukan codec DivX (di Driver)."},
    {81, "JALANKAN"},
    {82, "HAPUS INSTALASI"},
    {83, "README"},
    {84, "SITUS WEB"},
    {85, "MATIKAN"},
    {86, "TAK BISA DIMAINKAN"},
    {87, "NYALAKAN"},
    {88, "DUKUNGAN 3D"},
    {89, "BISA DIMAINKAN"},
    {90, "KELUAR"},
    {91, "PENGATURAN"},
    {92, "STATUS: NONAKTIF"},
    {93, "STATUS: AKTIF"},
    {94, "Menampilkan panel bingkai beserta animasinya (disarankan untuk resolusi di atas 1024x768)."},
    {95,
     "Efek khusus seperti transparansi saat memuat gambar. Pemilik komputer yang lebih lambat sebaiknya "
     "mematikannya."},
    {96, "PASANG"},
    {97, "MAIN DI JARINGAN"},
    {98, "BERBAHASA CEKO"},
    {99, "PENCAHAYAAN"},
};

}  // namespace

std::span<const MessageText> IndonesianMessages() {
  return kMessages;
}

}  // namespace norva::strings
