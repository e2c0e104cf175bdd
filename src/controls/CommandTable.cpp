#include "controls/CommandTable.h"

CommandTable& CommandTable::instance()
{
    static CommandTable table;
    return table;
}

void CommandTable::add(int id, Factory factory) { m_factories[id] = std::move(factory); }

void CommandTable::remove(int id) { m_factories.erase(id); }

bool CommandTable::has(int id) const { return m_factories.count(id) != 0; }

std::unique_ptr<QDialog> CommandTable::create(int id) const
{
    const auto it = m_factories.find(id);
    return it == m_factories.end() ? nullptr : it->second();
}

bool CommandTable::run(int id) const
{
    std::unique_ptr<QDialog> window = create(id);
    if (!window)
        return false;
    if (m_runner)
        m_runner(*window);
    else
        window->exec();
    return true;
}

void CommandTable::setRunner(Runner runner) { m_runner = std::move(runner); }
