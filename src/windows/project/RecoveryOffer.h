#pragma once

#include <QDateTime>
#include <QString>

struct AppContext;
class RecoveryCopy;

// The question that offers a copy of unsaved work written at `written`,
// naming the data file it belongs to ("senza nome" when none).
QString RecoveryQuestion(const QDateTime& written, const QString& projectFile);

// At start, the copies of unsaved work left by runs that did not end
// through the exit question are offered, newest first, each naming the file
// it belongs to. Yes (once unsaved changes here are asked about) loads the
// copy as Open loads a file, unsaved, with the file it belongs to as the
// current file, and shows its window; this run's own copy holds it from
// then on and the old copy goes. No removes the old copy and offers the
// next one. True when a copy was restored.
bool OfferRecovery(AppContext& context, RecoveryCopy& recovery);
