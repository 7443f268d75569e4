// How long the icon chooser takes to build its strip for one file, against a bare loop that
// only extracts and frees the same icons: the ratio is what drawing both faces of every cell
// adds. Usage: symbolleiste_bench [file] [rounds]; the file defaults to shell32.dll.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "filetypes/Programm.h"
#include "ui/Symbolstreifen.h"

namespace {

double Sekunden() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::string datei = argc > 1 ? argv[1] : "shell32.dll";
    const int runden = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const int anzahl = SymbolAnzahlLesen(datei);
    if (anzahl == 0) {
        std::printf("%s: no icons\n", datei.c_str());
        return 1;
    }
    std::vector<double> bloss, streifen;
    // Round 0 warms the loader and the file cache for both and is not counted.
    for (int r = 0; r <= runden; ++r) {
        double t0 = Sekunden();
        for (int i = 0; i < anzahl; ++i)
            if (HICON h = ExtractIconA(GetModuleHandleA(nullptr), datei.c_str(), static_cast<UINT>(i)))
                DestroyIcon(h);
        double t1 = Sekunden();
        {
            Symbolstreifen s;
            s.Fuellen(datei, anzahl);
        }
        double t2 = Sekunden();
        if (r == 0) continue;
        bloss.push_back(t1 - t0);
        streifen.push_back(t2 - t1);
    }
    const double b = Median(bloss), s = Median(streifen);
    std::printf("%s: %d icons, median of %d rounds\n", datei.c_str(), anzahl, runden);
    std::printf("bare ExtractIconA loop: %8.1f ms\n", b * 1000.0);
    std::printf("strip build:            %8.1f ms (%.2f ms an icon)\n", s * 1000.0, s * 1000.0 / anzahl);
    std::printf("ratio strip / bare:     %8.2f\n", s / b);
    return 0;
}
