#include "Umgebung.h"
#include "filetypes/Sicherung.h"
#include "filetypes/Vergleich.h"
#include "filetypes/Wiederherstellen.h"

namespace {

using Store = Hauptfenstertest;

TEST_F(Store, LoadsUsableTypesLeavesTheRestAndDeletesTheWholeStoreOnly) {
    Gesichert("BMP", "Bitmap", "paint.exe %1", "");
    Gesichert("TXT", "Text", "", "");
    SicherungLaden(haupt.liste());
    ASSERT_EQ(haupt.liste().Anzahl(), 1u);
    EXPECT_EQ(haupt.liste().Eintrag(0), (Dateityp{"BMP", "", "Bitmap", "paint.exe %1", ""}));
    EXPECT_TRUE(Existiert(HKEY_CURRENT_USER, kStore + "TXT"));
    // Deleting takes the whole store, however deep, and nothing beside it.
    Setzen(HKEY_CURRENT_USER, kStore + "BMP\\tief\\tiefer", "x", "1");
    Setzen(HKEY_CURRENT_USER, kOpt, "Autostart", "1");
    SicherungLoeschen();
    EXPECT_FALSE(Existiert(HKEY_CURRENT_USER, kStore));
    EXPECT_EQ(Holen(HKEY_CURRENT_USER, kOpt, "Autostart"), "1");
}

// HKEY_CLASSES_ROOT before ("key=default value|..."), the list restored, and what its keys
// hold after; "<kein Schlüssel>" for a key that must not be there.
struct Wiederherstellung {
    const char* fall;
    std::string vorher;
    std::vector<Dateityp> liste;
    std::string nachher;
};
// .JPG and .JPEG share one class key, as they often do; class names compare without case.
const std::string kJpeg = ".jpg=jpegfile|.jpeg=JPEGFILE|jpegfile=JPEG-Bild|jpegfile\\shell\\open\\command=bild.exe %1|"
                          "jpegfile\\DefaultIcon=bild.exe,0";
Dateityp Zeile(const char* ext, const char* bez, const char* oeffnen, const char* symbol = "") {
    return {ext, "", bez, oeffnen, symbol};
}
const Wiederherstellung kWiederherstellungen[] = {
    {"the own class key and its class identifier's icon; a key \".\" shares nothing",
     ".txt=txtfile|.=txtfile|txtfile=Alt|txtfile\\shell\\open\\command=fremd.exe %1|txtfile\\DefaultIcon=f.exe,3|"
     "txtfile\\CLSID={T}|CLSID\\{T}\\DefaultIcon=fremd.dll,1",
     {Zeile("TXT", "Textdatei", "notepad.exe %1", "notepad.exe,0")},
     ".txt=txtfile|txtfile=Textdatei|txtfile\\shell\\open\\command=notepad.exe %1|"
     "txtfile\\DefaultIcon=notepad.exe,0|CLSID\\{T}\\DefaultIcon=notepad.exe,0"},
    {"a shared key that disagrees is split off, with no empty icon", kJpeg, {Zeile("JPG", "Foto", "foto.exe %1")},
     ".jpg=jpg-datei|jpg-datei=Foto|jpg-datei\\shell\\open\\command=foto.exe %1|jpg-datei\\DefaultIcon=<kein Schlüssel>|"
     ".jpeg=JPEGFILE|jpegfile=JPEG-Bild"},
    {"a description that differs only in case disagrees", kJpeg, {Zeile("JPG", "jpeg-bild", "bild.exe %1")},
     ".jpg=jpg-datei|jpg-datei=jpeg-bild|jpegfile=JPEG-Bild"},
    {"a command and an icon that differ only in case agree", kJpeg,
     {Zeile("JPG", "JPEG-Bild", "BILD.EXE %1", "BILD.exe,0")}, ".jpg=jpegfile|jpg-datei=<kein Schlüssel>"},
    {"both sharers in the list with the same values stay in place", kJpeg,
     {Zeile("JPG", "Foto", "foto.exe %1", "foto.exe,0"), Zeile("JPEG", "Foto", "FOTO.EXE %1", "foto.exe,0")},
     ".jpg=jpegfile|jpegfile=Foto|jpg-datei=<kein Schlüssel>"},
    {"an extension outside the list that disagrees decides, whatever one after it says", kJpeg + "|.jp=jpegfile",
     {Zeile("JPG", "Foto", "foto.exe %1", "foto.exe,0"), Zeile("JPEG", "Foto", "foto.exe %1", "foto.exe,0")},
     ".jpg=jpg-datei|.jpeg=jpeg-datei|jpegfile=JPEG-Bild"},
    {"once one sharer is split off the other owns the key alone", kJpeg,
     {Zeile("JPG", "Foto", "foto.exe %1"), Zeile("JPEG", "Anders", "anders.exe %1")},
     ".jpg=jpg-datei|.jpeg=JPEGFILE|jpegfile=Anders|jpeg-datei=<kein Schlüssel>"},
    {"a key name another extension uses gets a number",
     kJpeg + "|.foo=jpg-datei|jpg-datei=FOO-Datei|jpg-datei\\shell\\open\\command=foo.exe \"%1\"",
     {Zeile("JPG", "Foto", "foto.exe %1")},
     ".jpg=jpg-datei2|jpg-datei2=Foto|.foo=jpg-datei|jpg-datei=FOO-Datei|jpg-datei\\shell\\open\\command=foo.exe \"%1\""},
    {"a missing or hostile class name gets a key of its own, never the root",
     ".leer=|.gif=giffile|giffile=GIF-Bild|giffile\\shell\\open\\command=gif.exe|.bmp=.gif",
     {Zeile("LEER", "Leer", "leer.exe %1", "leer.exe,0"), Zeile("BMP", "Bitmap", "paint.exe %1"),
      Zeile("WEG", "Weg", "weg.exe %1")},  // WEG's extension key deleted by another program
     "=<kein Wert>|.leer=leer-datei|leer-datei=Leer|leer-datei\\DefaultIcon=leer.exe,0|.bmp=bmp-datei|.gif=giffile|"
     ".WEG=weg-datei|weg-datei\\shell\\open\\command=weg.exe %1"},
    {"class pointers that are no file type's class name",
     ".txt=txtfile|txtfile=Text|txtfile\\shell\\open\\command=notepad.exe %1|.ini=txtfile\\shell\\open\\command|"
     "*\\shell\\open\\command=alle.exe %1|.st=*|Folder=Ordner|.fld=fOLDER|CLSID=Klassen|.cls=CLSID|.lng=" +
         std::string(289, 'l') + "|.mtl=" + std::string(245, 'm'),
     {Zeile("INI", "I", "i.exe %1"), Zeile("ST", "S", "s.exe %1", "s.ico"), Zeile("FLD", "F", "f.exe %1", "f.ico"),
      Zeile("CLS", "C", "c.exe %1", "c.ico"), Zeile("LNG", "L", "l.exe %1"), Zeile("MTL", "M", "m.exe %1")},
     "txtfile\\shell\\open\\command=notepad.exe %1|*\\shell\\open\\command=alle.exe %1|Folder=Ordner|CLSID=Klassen|"
     "*\\DefaultIcon=<kein Schlüssel>|.ini=ini-datei|ini-datei\\shell\\open\\command=i.exe %1|.st=st-datei|"
     "st-datei\\DefaultIcon=s.ico|.fld=fld-datei|fld-datei=F|.cls=cls-datei|cls-datei\\DefaultIcon=c.ico|"
     ".lng=lng-datei|lng-datei=L|.mtl=mtl-datei|mtl-datei\\shell\\open\\command=m.exe %1"},
    // Classes of the component registry and a program's class hold no file type of their own.
    {"a class that names its current version or a class identifier, and a program's class",
     ".ie=IE.Application|IE.Application=IE|IE.Application\\CurVer=IE.Application.1|.ld=LDAP|"
     "LDAP=LDAP-Objekt|LDAP\\CLSID={L}|CLSID\\{L}\\ProgID=LDAP|.ex=exefile|.pp=Paint.Picture|"
     "exefile\\shell\\open\\command=\"%1\" %*|CLSID\\{P}\\ProgID=Paint.Picture|"
     "Paint.Picture\\CLSID={P}|Paint.Picture\\shell\\open\\command=paint.exe %1",
     {Zeile("IE", "I", "i.exe %1"), Zeile("LD", "L", "l.exe %1"), Zeile("EX", "E", "e.exe %1"),
      Zeile("PP", "P", "p.exe %1")},  // a file type whose class identifier names its class back
     ".ie=ie-datei|IE.Application=IE|.ld=ld-datei|LDAP=LDAP-Objekt|.ex=ex-datei|"
     "exefile\\shell\\open\\command=\"%1\" %*|.pp=Paint.Picture|Paint.Picture=P"},
    {"the icon falls back only to a class identifier",
     "CLSID\\DefaultIcon=fremd.dll,1|.bmp=bmpfile|bmpfile=Bitmap|bmpfile\\shell\\open\\command=paint.exe %1|"
     "bmpfile\\CLSID=\\|.gif=giffile|giffile=GIF|giffile\\shell\\open\\command=gif.exe %1|giffile\\CLSID={G}\\..\\..",
     {Zeile("BMP", "Bitmap", "paint.exe %1", "paint.exe,2"), Zeile("GIF", "GIF", "gif.exe %1", "gif.exe,0")},
     "bmpfile\\DefaultIcon=paint.exe,2|giffile\\DefaultIcon=gif.exe,0|CLSID\\DefaultIcon=fremd.dll,1|"
     "CLSID\\{G}=<kein Schlüssel>"},
};

// "a=b|c=d" as pairs.
std::vector<std::pair<std::string, std::string>> Werte(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> werte;
    for (size_t anfang = 0; anfang < text.size();) {
        size_t ende = text.find('|', anfang), gleich = text.find('=', anfang);
        if (ende == std::string::npos) ende = text.size();
        werte.push_back({text.substr(anfang, gleich - anfang), text.substr(gleich + 1, ende - gleich - 1)});
        anfang = ende + 1;
    }
    return werte;
}

TEST_F(Store, RestoresEachTypeIntoAKeyOnlyItUsesAndThenFindsNothingToDo) {
    for (const Wiederherstellung& w : kWiederherstellungen) {
        SCOPED_TRACE(w.fall);
        KlassenLeeren();
        for (const auto& [pfad, wert] : Werte(w.vorher)) Setzen(HKEY_CLASSES_ROOT, pfad, "", wert);
        Typliste liste;
        for (const Dateityp& t : w.liste) liste.Hinzufuegen(t);
        SicherungWiederherstellen(liste, nullptr);
        for (const auto& [pfad, wert] : Werte(w.nachher)) EXPECT_EQ(Hkcr(pfad), wert) << pfad;
        // From then on every key is the type's own, for checking too.
        for (const Dateityp& t : w.liste) ASSERT_TRUE(SicherungSchreiben(t));
        EXPECT_EQ(JetztPruefen().size(), 0u);
        EXPECT_EQ(SicherungWiederherstellen(liste, nullptr).size(), 0u);
        SicherungLoeschen();
    }
    // A class key that is a link would write through to another class.
    TypAnlegen("ziel", "zielfile", "Ziel", "ziel.exe %1");
    Verknuepfen("linkcls", "zielfile");
    Setzen(HKEY_CLASSES_ROOT, ".lnk", "", "linkcls");
    const std::string verbunden = Abzug(HKEY_CLASSES_ROOT, "zielfile");
    Typliste liste;
    liste.Hinzufuegen(Zeile("LNK", "Verbunden", "fremd.exe %1"));
    SicherungWiederherstellen(liste, nullptr);
    EXPECT_EQ(Abzug(HKEY_CLASSES_ROOT, "zielfile"), verbunden);
    EXPECT_EQ(Hkcr(".lnk"), "lnk-datei");
}

}  // namespace
