// The session's process and the repository node it runs on, as the link reports them.
#pragma once

#include "win/CString.h"

class PxSession;

class PxNode {
public:
    // Sessions attached to the repository now, in every process (this one's included).
    int NumberOfProcesses() const;

private:
    friend class PxProcess;
    explicit PxNode(PxSession& session) : m_session(session) {}

    PxSession& m_session;
};

class PxProcess {
public:
    // The user code the session was attached with ("user/..." as the host gives it).
    CString GetUserCode() const;
    // The session's number on the repository: no other session attached now has it.
    long long GetSessionId() const;
    PxNode* GetNode() { return &m_node; }

private:
    friend class PxSession;
    explicit PxProcess(PxSession& session) : m_session(session), m_node(session) {}

    PxSession& m_session;
    PxNode m_node;
};
