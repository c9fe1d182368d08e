#include "net/consoletarget.h"

ConsoleTarget::Action ConsoleTarget::pick(const QString &ip, bool catalogueLoaded)
{
    m_current = ip;
    if (ip.isEmpty())
        return Action::Nothing;
    // Rows loaded by someone else (discovery, status polling) came with a
    // model answer, so the model is known here too.
    if (catalogueLoaded && !m_models.value(ip).isEmpty()) {
        m_awaited.clear();
        return Action::ShowCategories;
    }
    m_awaited = ip;
    return Action::AskModel;
}

ConsoleTarget::Action ConsoleTarget::categoryShown(const QString &ip, bool catalogueLoaded)
{
    // Asked again on every press while the rows are missing: the first
    // question may have gone to a projector that was off the network.
    if (ip.isEmpty() || catalogueLoaded)
        return Action::Nothing;
    m_current = ip;
    m_awaited = ip;
    return Action::AskModel;
}

bool ConsoleTarget::modelAnswered(const QString &ip, const QString &model)
{
    if (ip.isEmpty())
        return false;
    m_models.insert(ip, model);
    if (m_awaited != ip)
        return false;
    m_awaited.clear();
    return true;
}
