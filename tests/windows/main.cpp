#include <QApplication>

int runClsResizeTests(int argc, char** argv);
int runFrmTipTests(int argc, char** argv);
int runAboutSupportTests(int argc, char** argv);

// Runs every window test class in one process; the exit status is the
// number of classes with failures.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    for (auto run : {runClsResizeTests, runFrmTipTests, runAboutSupportTests})
        failed += run(argc, argv) != 0 ? 1 : 0;
    return failed;
}
