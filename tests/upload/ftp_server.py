"""A real FTP server for the upload tests: pyftpdlib on 127.0.0.1, a free port.

Usage: ftp_server.py ROOT USER PASSWORD
Prints "PORT <n>" once it listens, then serves until killed. Inside ROOT, the folder
"locked" (if present) allows listing and reading only. A directory named "trail" is
reported by PWD with a trailing slash, as some servers do.
"""
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class Handler(FTPHandler):
    def ftp_PWD(self, line):
        cwd = self.fs.cwd
        if cwd.endswith("/trail"):
            self.respond('257 "%s/" is the current directory.' % cwd.replace('"', '""'))
        else:
            FTPHandler.ftp_PWD(self, line)


def main():
    root, user, password = sys.argv[1:4]
    logging.basicConfig(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")
    locked = os.path.join(root, "locked")
    if os.path.isdir(locked):
        authorizer.override_perm(user, locked, perm="elr", recursive=True)
    Handler.authorizer = authorizer
    Handler.auth_failed_timeout = 0.2  # answer a wrong password at once
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
