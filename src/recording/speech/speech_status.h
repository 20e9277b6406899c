#pragma once
// What a voice tells about its speaking, shared between the voice and the
// synthesis thread.

#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>

struct SpeechStatus
{
    enum RunningState { Done = 1, IsSpeaking = 2 };
    int runningState = Done;
    // Positions and lengths in the text passed to Speak.
    int inputSentencePosition = 0;
    int inputSentenceLength = 0;
    int inputWordPosition = 0;
    int inputWordLength = 0;
};

struct SpeechState
{
    std::mutex mutex;
    std::condition_variable changed;
    SpeechStatus status;
    int pendingJobs = 0;
    bool paused = false;
    // Why the last speaking broke off (a speech program that failed), for
    // the user; empty when it went well.
    QString failure;
    // A purge moves the generation on: jobs of an older one stop or are skipped.
    std::atomic<quint64> generation{0};
};
