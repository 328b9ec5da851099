#include "HarvestEngine.h"

#include "DirectoryHosts.h"

HarvestEngine::HarvestEngine(ScanHost& host)
    : m_saver(host, m_state),
      m_parser(host, m_state, m_saver),
      m_fetcher(host, m_state),
      m_classicPages(host, m_fetcher, m_parser),
      m_streamSaver(host, m_state),
      m_radioBrowserPages(host, m_state, m_fetcher, m_streamSaver),
      // The directory is chosen outside the front ends, for each run.
      m_driver(host, m_state, [this]() -> PageSource& {
          if (DirectoryHosts::chosenDirectory() == DirectoryHosts::Directory::RadioBrowser)
              return m_radioBrowserPages;
          return m_classicPages;
      }) {
    m_state.m_Recorder = &m_library;
}
