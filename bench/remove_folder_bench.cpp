/* remove_folder_bench.cpp - folder removal against `rm -rf` on the same
 * tree, measured in one run: 100,000 files in 1,000 folders. Prints the
 * times, the peak memory, and last the ratio line. */
#include <fcntl.h>
#include <mbctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "UninstallDlg.h"
#include "lzport.h"

namespace {

const int kTopFolders = 10;
const int kFoldersEach = 100; /* 1,000 folders below the top ones */
const int kFilesEach = 100;   /* 100,000 files */

void BuildTree(const std::string &host)
{
    mkdir(host.c_str(), 0777);
    for (int t = 0; t < kTopFolders; t++) {
        std::string top = host + "/top" + std::to_string(t);
        mkdir(top.c_str(), 0777);
        for (int f = 0; f < kFoldersEach; f++) {
            std::string folder = top + "/folder" + std::to_string(f);
            mkdir(folder.c_str(), 0777);
            for (int n = 0; n < kFilesEach; n++) {
                std::string file = folder + "/file" + std::to_string(n) + ".dat";
                int fd = open(file.c_str(), O_CREAT | O_WRONLY, 0666);
                if (fd < 0) {
                    perror(file.c_str());
                    exit(2);
                }
                close(fd);
            }
        }
    }
    sync();
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long PeakRssKiB()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main()
{
    char machine[] = "/tmp/lzbench-XXXXXX";
    if (!mkdtemp(machine) || !LzPortUseMachine(machine)) {
        fprintf(stderr, "cannot make a machine: %s\n", LzPortLastMessage());
        return 2;
    }
    _setmbcp(_MB_CP_ANSI);
    CWinApp app("bench");
    CUninstallDlg dlg;
    char host[4096];
    if (!LzPortHostPath("C:\\Tree", host, sizeof host))
        return 2;

    double bestOurs = 1e9, bestRm = 1e9;
    long rssBefore = PeakRssKiB();
    for (int round = 0; round < 2; round++) {
        BuildTree(host);
        auto start = std::chrono::steady_clock::now();
        BOOL ok = dlg.RemoveFolder("C:\\Tree", NULL);
        double ours = Seconds(start);
        struct stat st;
        if (!ok || stat(host, &st) == 0) {
            fprintf(stderr, "RemoveFolder did not remove the tree\n");
            return 1;
        }
        BuildTree(host);
        start = std::chrono::steady_clock::now();
        std::string command = std::string("rm -rf '") + host + "'";
        if (system(command.c_str()) != 0)
            return 1;
        double rm = Seconds(start);
        printf("round %d: RemoveFolder %.3f s, rm -rf %.3f s\n", round + 1, ours, rm);
        bestOurs = ours < bestOurs ? ours : bestOurs;
        bestRm = rm < bestRm ? rm : bestRm;
    }
    printf("peak RSS %ld KiB (before the first removal %ld KiB)\n", PeakRssKiB(), rssBefore);
    std::string cleanup = std::string("rm -rf '") + machine + "'";
    if (system(cleanup.c_str()) != 0)
        return 1;
    printf("remove-folder/rm-rf ratio %.2f\n", bestOurs / bestRm);
    return 0;
}
