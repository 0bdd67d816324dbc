#include "richtext/MetafileConverter.h"

#include "richtext/MetafileProtocol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <string_view>

namespace ohmora::rtf {

namespace {

constexpr int kBaseTimeoutMs = 5000;
constexpr int kTimeoutPerPictureMs = 1000;
constexpr int kMaxTimeoutMs = 60000;
// A picture that crashes the helper costs it a new run for the pictures
// after it; a document of hostile pictures does not cost more than this.
constexpr int kMaxRuns = 8;

bool isProgram(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

struct Run {
    std::vector<QByteArray> answers; // for the pictures from the first given on
    bool finished = false;           // the helper ended by itself, not killed nor crashed
};

// One run of the helper on jobs[first] onwards.
Run runHelper(const QString& helper, const std::vector<MetafileJob>& jobs, std::size_t first,
              QDeadlineTimer deadline) {
    QByteArray input;
    for (std::size_t i = first; i < jobs.size(); ++i) {
        input += QByteArray::fromStdString(metafileRequest(jobs[i].kind, *jobs[i].bytes));
    }
    Run run;
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(helper, {});
    if (!process.waitForStarted(static_cast<int>(deadline.remainingTime()))) {
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) {
        process.kill();
        process.waitForFinished();
    }
    run.finished = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    const QByteArray output = process.readAllStandardOutput();
    std::string_view rest(output.constData(), static_cast<std::size_t>(output.size()));
    std::size_t consumed = 0;
    while (const std::optional<MetafileFrame> frame = nextMetafileFrame(rest, consumed)) {
        run.answers.push_back(
            frame->tag == 'S'
                ? QByteArray(frame->payload.data(), static_cast<qsizetype>(frame->payload.size()))
                : QByteArray());
        rest.remove_prefix(consumed);
    }
    return run;
}

} // namespace

QString metafileHelperPath() {
    const QString configured = qEnvironmentVariable("OHMORA_METAFILE_HELPER");
    if (!configured.isEmpty()) {
        return isProgram(configured) ? configured : QString();
    }
    const QString directory = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {directory + QStringLiteral("/ohmora-metafile"),
          directory + QStringLiteral("/../libexec/ohmora/ohmora-metafile")}) {
        if (isProgram(candidate)) {
            return QFileInfo(candidate).canonicalFilePath();
        }
    }
    return {};
}

std::vector<QByteArray> convertMetafiles(const std::vector<MetafileJob>& jobs,
                                         const MetafileOptions& options) {
    std::vector<QByteArray> svgs(jobs.size());
    const QString helper = options.helper.isEmpty() ? metafileHelperPath() : options.helper;
    if (jobs.empty() || helper.isEmpty()) {
        return svgs;
    }
    const int timeout =
        options.timeoutMs > 0
            ? options.timeoutMs
            : std::min(kMaxTimeoutMs,
                       kBaseTimeoutMs + kTimeoutPerPictureMs * static_cast<int>(jobs.size()));
    const QDeadlineTimer deadline(timeout);
    std::size_t next = 0;
    for (int runs = 0; next < jobs.size() && runs < kMaxRuns && !deadline.hasExpired(); ++runs) {
        const Run run = runHelper(helper, jobs, next, deadline);
        for (const QByteArray& answer : run.answers) {
            if (next < jobs.size()) {
                svgs[next++] = answer;
            }
        }
        if (run.finished) {
            break;
        }
        ++next; // the picture the helper died on is left without SVG
    }
    return svgs;
}

} // namespace ohmora::rtf
