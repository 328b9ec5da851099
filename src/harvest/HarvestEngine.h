// HarvestEngine: everything a harvest runs on, whichever front end asks for it: the run state and
// station list, the page fetcher and readers, the savers, both directories and the scan driver.
// The window and the command line each hold one and answer its questions through ScanHost.
#pragma once

#include "ClassicPages.h"
#include "LibraryRun.h"
#include "PageFetcher.h"
#include "PageParser.h"
#include "RadioBrowserPages.h"
#include "ScanDriver.h"
#include "ScanState.h"
#include "StationSaver.h"
#include "StreamSaver.h"

class ScanHost;

class HarvestEngine {
public:
    explicit HarvestEngine(ScanHost& host);
    HarvestEngine(const HarvestEngine&) = delete;
    HarvestEngine& operator=(const HarvestEngine&) = delete;

    ScanState& state() { return m_state; }
    const ScanState& state() const { return m_state; }
    // What Run/Stop does: starts a run, or asks the one under way to stop.
    ScanDriver& driver() { return m_driver; }
    const ScanDriver& driver() const { return m_driver; }
    PageFetcher& fetcher() { return m_fetcher; }
    PageParser& parser() { return m_parser; }
    RadioBrowserPages& radioBrowser() { return m_radioBrowserPages; }
    // The record each run keeps in its genre folders, its genre playlists and its pruning.
    LibraryRun& library() { return m_library; }

private:
    ScanState m_state;
    LibraryRun m_library;
    StationSaver m_saver;
    PageParser m_parser;
    PageFetcher m_fetcher;
    ClassicPages m_classicPages;
    StreamSaver m_streamSaver;
    RadioBrowserPages m_radioBrowserPages;
    ScanDriver m_driver;
};
