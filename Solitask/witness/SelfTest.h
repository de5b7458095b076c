#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QJsonObject>
#include <QStringList>

#include <functional>

class Judge;
struct PlatformServices;

/// The command-line self-test: checks the thresholds, the store and the sample
/// renderer, reports the preferences and the environment, and optionally
/// captures one real frame and asks the real judge about the sample hour.
/// Every check records its own failure; the run never stops early.
class SelfTest
{
public:
    SelfTest(PlatformServices &platform, Judge &judge);

    /// Prints the report as pretty JSON with sorted keys; 0 when nothing failed, else 1.
    int run(bool withClaude, bool withCapture);
    /// The report, its "failures" list included.
    QJsonObject report(bool withClaude, bool withCapture);

    /// Runs the event loop in steps of `step` seconds until `done` or the limit.
    static bool runUntil(const std::function<bool()> &done, double seconds, double step);

private:
    void checkThresholds();
    void checkRoot();
    void checkStore();
    void checkSamples();
    void reportPrefs();
    void reportEnvironment();
    void checkCapture();
    QString captureProblem(const FrameMeta &frame) const;
    void checkWitness();

    PlatformServices &m_platform;
    Judge &m_judge;
    QJsonObject m_report;
    QStringList m_failures;
};
