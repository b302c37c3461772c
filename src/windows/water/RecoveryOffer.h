#pragma once

#include <QDateTime>
#include <QString>

struct AppContext;
class RecoveryCopy;

// The question that offers a copy of unsaved work written at `written`.
QString RecoveryQuestion(const QDateTime& written);

// At start, the copies of unsaved work left by runs that did not end
// through the exit question are offered, newest first. Yes loads the copy as
// Open loads a file, without making it the current file, and shows its
// window; this run's own copy holds it from then on and the old copy goes.
// No removes the old copy and offers the next one. True when a copy was
// restored.
bool OfferRecovery(AppContext& context, RecoveryCopy& recovery);
